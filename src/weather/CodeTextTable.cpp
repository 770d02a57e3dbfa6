#include "weather/CodeTextTable.h"

#include "core/FileUtil.h"

#include <algorithm>
#include <cstring>

namespace kesmar {

Status CodeTextTable::loadBytes(const QByteArray& bytes)
{
    clear();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lineEnd)
            lineEnd = end; // a last line without a line end still counts
        const char* const next = lineEnd < end ? lineEnd + 1 : end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        const auto length = static_cast<size_t>(lineEnd - p);
        // Comments; lines too short to hold key and separator are no entry.
        if (length > keyWidth_ && p[0] != ';') {
            const std::string_view text(p + keyWidth_ + 1, length - keyWidth_ - 1);
            const auto n = std::min(text.size(), kMaxTextLength);
            Entry e;
            e.keyOffset = static_cast<uint32_t>(pool_.size());
            pool_.append(p, keyWidth_);
            e.textOffset = static_cast<uint32_t>(pool_.size());
            pool_.append(text.data(), n);
            e.textLength = static_cast<uint8_t>(n);
            entries_.push_back(e);
        }
        p = next;
    }
    if (entries_.empty())
        return Error::inFile({}, QStringLiteral("no data line"));
    return {};
}

Status CodeTextTable::loadFile(const QString& path)
{
    const Result<QByteArray> bytes = readFile(path);
    if (!bytes) {
        clear();
        return bytes.error();
    }
    return withFile(loadBytes(*bytes), path);
}

void CodeTextTable::clear()
{
    pool_.clear();
    entries_.clear();
}

std::optional<std::string_view> CodeTextTable::find(std::string_view key) const
{
    if (key.size() != keyWidth_)
        return std::nullopt;
    for (const Entry& e : entries_)
        if (std::memcmp(pool_.data() + e.keyOffset, key.data(), keyWidth_) == 0)
            return std::string_view(pool_.data() + e.textOffset, e.textLength);
    return std::nullopt;
}

bool CodeTextTable::lookup(std::string_view key, std::array<char, kTextFieldSize>& field) const
{
    field.fill(0);
    const std::optional<std::string_view> text = find(key);
    if (!text)
        return false;
    std::memcpy(field.data(), text->data(), text->size()); // <= 79, NUL follows
    return true;
}

} // namespace kesmar
