#pragma once
#include "core/Error.h"
#include "weather/CodeTextTable.h"
#include "weather/StationTable.h"

#include <QString>

namespace kesmar {

// The four decoder tables of the DATA folder, owned by whoever runs a
// conversion and kept for that run only.
class SynopTables {
public:
    static constexpr const char* kTtFile = "DATA\\DESCTT.DAT";
    static constexpr const char* kAaFile = "DATA\\DESCAA.DAT";
    static constexpr const char* kTextFile = "DATA\\SYNTXT.DAT";

    // Loads station, TT, AA and text table in that order from
    // programFolder/DATA, stopping at the first failure; the error names the
    // failing table. Tables loaded before a failure stay loaded.
    Status load(const QString& programFolder);
    // Releases all four tables.
    void clear();
    bool isLoaded() const { return loaded_; }

    const StationTable& stations() const { return stations_; }
    const CodeTextTable& ttTable() const { return tt_; }
    const CodeTextTable& aaTable() const { return aa_; }
    const CodeTextTable& textTable() const { return text_; }

    // For tests and tools that build tables in memory.
    StationTable& stations() { return stations_; }
    CodeTextTable& ttTable() { return tt_; }
    CodeTextTable& aaTable() { return aa_; }
    CodeTextTable& textTable() { return text_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }

private:
    StationTable stations_;
    CodeTextTable tt_{2};
    CodeTextTable aa_{2};
    CodeTextTable text_{4};
    bool loaded_ = false;
};

} // namespace kesmar
