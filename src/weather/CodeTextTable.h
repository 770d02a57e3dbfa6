#pragma once
#include "core/Error.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesmar {

// A code-text table: "DATA\DESCTT.DAT" (T1T2, key 2), "DATA\DESCAA.DAT"
// (A1A2, key 2) and "DATA\SYNTXT.DAT" (BBB letters + "MM", key 4).
// Text file, CR LF or LF line ends; ";" in column 1 starts a comment; every
// other line is the key, one separator character (not examined) and the
// description. Descriptions end up in 80-byte record fields, so at most 79
// characters are kept.
class CodeTextTable {
public:
    static constexpr size_t kMaxTextLength = 79;
    static constexpr size_t kTextFieldSize = 80;

    explicit CodeTextTable(size_t keyWidth = 2) : keyWidth_(keyWidth) {}

    size_t keyWidth() const { return keyWidth_; }

    // Parses a file image; any line length is accepted (over-long texts are
    // cut), a line shorter than key + separator is skipped, and a last line
    // without a line end counts. A table without a single data line is an
    // error (without a file).
    Status loadBytes(const QByteArray& bytes);
    // Reads and parses `path`; the error names the file.
    Status loadFile(const QString& path);
    void clear();

    size_t size() const { return entries_.size(); }

    // The text of the first entry whose key equals `key` (keyWidth chars).
    std::optional<std::string_view> find(std::string_view key) const;
    // Copies the text into an 80-byte record field, NUL-terminated and
    // zero-padded; absent key: the field becomes empty and false is returned.
    bool lookup(std::string_view key, std::array<char, kTextFieldSize>& field) const;

private:
    struct Entry {
        uint32_t keyOffset;
        uint32_t textOffset;
        uint8_t textLength;
    };
    size_t keyWidth_;
    std::string pool_; // keys and texts, referenced by entries_
    std::vector<Entry> entries_;
};

} // namespace kesmar
