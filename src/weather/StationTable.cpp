#include "weather/StationTable.h"

#include "core/ByteReader.h"
#include "core/FileUtil.h"

#include <algorithm>
#include <cstring>

namespace kesmar {

namespace {

uint32_t packIndicator(const char* p)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(p[i])) << (8 * i);
    return v;
}

} // namespace

Status StationTable::loadBytes(const QByteArray& bytes)
{
    clear();
    // Offsets are kept in 32 bits; a table of 4 GB is no station table.
    if (static_cast<uint64_t>(bytes.size()) >= UINT32_MAX)
        return Error::inFile({}, QStringLiteral("file too large"));
    bytes_ = bytes;
    ByteReader r(bytes_.constData(), static_cast<size_t>(bytes_.size()));
    while (r.remaining() >= StationEntry::kHeaderSize) {
        const auto offset = static_cast<uint32_t>(r.position());
        uint32_t number = 0;
        uint8_t nameLength = 0;
        r.u32(number);
        r.skip(StationEntry::kOffsetNameLength - 4);
        r.u8(nameLength);
        // A cut last entry: its name runs past the end of the file.
        if (!r.skip(nameLength))
            break;
        offsets_.push_back(offset);
        // Number 0 marks a bulletin centre: found by its indicator only, so
        // a report from "station 00000" never takes a centre's place.
        if (number != 0)
            byNumber_.emplace(number, offset); // emplace keeps the first
        byIndicator_.emplace(packIndicator(bytes_.constData() + offset + StationEntry::kOffsetIndicator),
                             offset);
    }
    count_ = offsets_.size();
    if (count_ == 0) {
        clear();
        return Error::inFile({}, QStringLiteral("no complete station entry"));
    }
    return {};
}

Status StationTable::loadFile(const QString& path)
{
    const Result<QByteArray> bytes = readFile(path);
    if (!bytes) {
        clear();
        return bytes.error();
    }
    return withFile(loadBytes(*bytes), path);
}

void StationTable::clear()
{
    bytes_.clear();
    offsets_.clear();
    byNumber_.clear();
    byIndicator_.clear();
    count_ = 0;
}

StationEntry StationTable::entryAtOffset(uint32_t offset) const
{
    // Offsets come from the load walk, so the header and name are in bounds;
    // the name is cut to the 51 bytes a record field can hold.
    std::array<uint8_t, StationEntry::kFieldSize> field{};
    const auto* p = reinterpret_cast<const uint8_t*>(bytes_.constData()) + offset;
    const uint8_t n = std::min<uint8_t>(p[StationEntry::kOffsetNameLength],
                                        StationEntry::kMaxNameLength);
    std::memcpy(field.data(), p, StationEntry::kHeaderSize + n);
    field[StationEntry::kOffsetNameLength] = n;
    return StationEntry::readField(field);
}

bool StationTable::findByNumber(uint32_t number, StationEntry& out) const
{
    const auto it = byNumber_.find(number);
    if (it == byNumber_.end())
        return false;
    out = entryAtOffset(it->second);
    return true;
}

bool StationTable::findByIndicator(std::string_view indicator, StationEntry& out) const
{
    if (indicator.size() != 4)
        return false;
    const auto it = byIndicator_.find(packIndicator(indicator.data()));
    if (it == byIndicator_.end())
        return false;
    out = entryAtOffset(it->second);
    return true;
}

StationEntry StationTable::entryAt(size_t index) const
{
    if (index >= offsets_.size())
        return {};
    return entryAtOffset(offsets_[index]);
}

} // namespace kesmar
