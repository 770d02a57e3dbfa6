#pragma once
#include "core/Error.h"
#include "weather/StationEntry.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace kesmar {

// The station table "DATA\WMOSTAT.DAT": StationEntry records back to back,
// no header. Lookups return the FIRST entry with the key, as a walk from the
// start would; an index built at load time makes that O(1), because the
// decoder looks a station up for every report.
class StationTable {
public:
    static constexpr const char* kFileName = "DATA\\WMOSTAT.DAT";

    // Parses a table image. A cut last entry (fewer bytes left than its
    // header or its name) is ignored; a name longer than 51 is cut to 51.
    // A table without a single complete entry is an error (without a file).
    Status loadBytes(const QByteArray& bytes);
    // Reads the file at `path` whole and parses it; the error names the file.
    Status loadFile(const QString& path);
    void clear();

    size_t size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }

    // Copies the first entry with that number into `out`; on failure `out`
    // is left unchanged. Entries with number 0 (bulletin centres) are found
    // by indicator only.
    bool findByNumber(uint32_t number, StationEntry& out) const;
    // The same by location indicator; `indicator` must be four characters.
    bool findByIndicator(std::string_view indicator, StationEntry& out) const;

    // Entry i in file order (i < size()).
    StationEntry entryAt(size_t index) const;

private:
    StationEntry entryAtOffset(uint32_t offset) const;

    QByteArray bytes_;
    std::vector<uint32_t> offsets_; // of every complete entry, file order
    size_t count_ = 0;
    std::unordered_map<uint32_t, uint32_t> byNumber_;    // number -> offset
    std::unordered_map<uint32_t, uint32_t> byIndicator_; // 4 chars packed LE -> offset
};

} // namespace kesmar
