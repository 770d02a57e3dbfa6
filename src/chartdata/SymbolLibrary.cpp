#include "chartdata/SymbolLibrary.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/FileUtil.h"
#include "core/QtBytes.h"

#include <algorithm>
#include <limits>

namespace kesmar {

namespace {

constexpr size_t kDirectoryEnd =
    SymbolLibrary::kHeaderSize + SymbolLibrary::kEntryCount * SymbolLibrary::kDirectoryEntrySize;

// The elements of one directory entry. The count is limited by the element
// headers that fit in the buffer, so no count allocates beyond the file.
SymbolLibrary::Entry readEntry(const ByteReader& file, uint32_t listOffset, int32_t count)
{
    SymbolLibrary::Entry entry;
    if (count <= 0 || listOffset >= file.size()) return entry;
    const size_t fitting = (file.size() - listOffset) / SymbolLibrary::kElementHeaderSize;
    const size_t n = std::min<size_t>(size_t(count), fitting);
    ByteReader list(file.view(listOffset, n * SymbolLibrary::kElementHeaderSize));
    for (size_t i = 0; i < n; ++i) {
        uint32_t pointsOffset = 0;
        uint16_t pointCount = 0;
        uint16_t style = 0;
        list.u32(pointsOffset);
        list.u16(pointCount);
        list.u16(style);
        const std::span<const uint8_t> raw =
            file.view(pointsOffset, size_t(pointCount) * SymbolLibrary::kPointSize);
        // An element without points draws nothing; one whose points leave the
        // buffer is not drawn by halves.
        if (pointCount == 0 || raw.size() != size_t(pointCount) * SymbolLibrary::kPointSize) continue;
        ByteReader in(raw);
        SymbolLibrary::Element e;
        e.style = style;
        e.points.reserve(pointCount);
        for (uint16_t p = 0; p < pointCount; ++p) {
            int16_t x = 0;
            int16_t y = 0;
            in.i16(x);
            in.i16(y);
            e.points.emplace_back(x, y);
        }
        entry.push_back(std::move(e));
    }
    return entry;
}

} // namespace

Result<SymbolLibrary> SymbolLibrary::load(const QString& programFolder)
{
    const QString path = programPath(programFolder, QStringLiteral("CHARTDATA/BUOYAGE.LBJ"));
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes) return Error::inFile(path, QStringLiteral("cannot be read"));
    return fromBytes(*bytes);
}

SymbolLibrary SymbolLibrary::fromBytes(QByteArrayView bytes)
{
    SymbolLibrary library;
    const qsizetype used = std::min(bytes.size(), kMaxBytes);
    const ByteReader file(bytes.data(), size_t(used));
    ByteReader directory(file.view(kHeaderSize, kDirectoryEnd - kHeaderSize));
    for (int k = 0; k < kEntryCount; ++k) {
        uint32_t offset = 0;
        int32_t count = 0;
        // A library cut inside its directory: the rest of the entries stay empty.
        if (!directory.u32(offset) || !directory.i32(count)) break;
        library.entries_[size_t(k)] = readEntry(file, offset, count);
    }
    return library;
}

Result<QByteArray> SymbolLibrary::toBytes(const Entries& entries, QByteArrayView header)
{
    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.fixedString(std::string_view(header.data(), size_t(std::min<qsizetype>(header.size(), kHeaderSize))),
                  kHeaderSize);
    w.zeros(kDirectoryEnd - kHeaderSize);
    auto put32 = [&out](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    constexpr int kMin = std::numeric_limits<int16_t>::min();
    constexpr int kMax = std::numeric_limits<int16_t>::max();
    for (int k = 0; k < kEntryCount; ++k) {
        const Entry& entry = entries[size_t(k)];
        if (entry.empty()) continue;
        const size_t dir = kHeaderSize + size_t(k) * kDirectoryEntrySize;
        put32(dir, uint32_t(out.size()));
        put32(dir + 4, uint32_t(entry.size()));
        size_t pointsAt = out.size() + entry.size() * kElementHeaderSize;
        for (const Element& e : entry) {
            if (e.points.size() > 0xFFFF)
                return Error::atRecord({}, k, QStringLiteral("an element has more than 65535 points"));
            w.u32(uint32_t(pointsAt));
            w.u16(uint16_t(e.points.size()));
            w.u16(e.style);
            pointsAt += e.points.size() * kPointSize;
        }
        for (const Element& e : entry)
            for (const QPoint& p : e.points) {
                if (p.x() < kMin || p.x() > kMax || p.y() < kMin || p.y() > kMax)
                    return Error::atRecord({}, k, QStringLiteral("a point lies outside -32768..32767"));
                w.i16(int16_t(p.x()));
                w.i16(int16_t(p.y()));
            }
    }
    if (out.size() > size_t(kMaxBytes))
        return Error::inFile({}, QStringLiteral("%1 bytes, more than the %2 a library may hold")
                                     .arg(out.size())
                                     .arg(kMaxBytes));
    return toQByteArray(out);
}

std::span<const SymbolLibrary::Element> SymbolLibrary::entry(int k) const
{
    if (k < 0 || k >= kEntryCount) return {};
    return entries_[size_t(k)];
}

bool SymbolLibrary::isEmpty() const
{
    return std::all_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.empty(); });
}

} // namespace kesmar
