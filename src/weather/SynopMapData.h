#pragma once
#include "core/Error.h"
#include "weather/StationObservation.h"
#include "weather/SynopRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace kesmar {

class StationTable;

// The station file as the weather map sees it: every sound record with its
// plot values, the observation times it holds, and in German what could not
// be shown (a damaged end, records without a usable position, impossible
// values, stations the station table does not know).
class SynopMapData {
public:
    static constexpr const char* kStationFile = "SYNOP\\STATION.DAT";

    struct Station {
        SynopRecord record;
        StationObservation observation;
    };

    // Reads the station file of the program folder. Fails only when the
    // file cannot be read at all; a damaged file gives what is sound in it.
    // `stations` may be null (no check against the station table).
    Status load(const QString& programFolder, const StationTable* stations);
    // The same from the file's bytes; `fileName` names it in the messages.
    void loadBytes(const QByteArray& bytes, const QString& fileName, const StationTable* stations);
    // From records in memory (tests, benchmarks).
    void setRecords(const std::vector<SynopRecord>& records);

    const std::vector<Station>& stations() const { return stations_; }
    // Observation times in ascending order, each with its number of records.
    const std::vector<uint32_t>& times() const { return times_; }
    int countAt(uint32_t time) const;
    // Indices into stations() of the records of one observation time; the
    // latest record of a station wins over earlier ones of the same time.
    std::vector<int> indicesAt(uint32_t time) const;
    // The time nearest to `time`, or 0 without records.
    uint32_t nearestTime(uint32_t time) const;
    // What could not be shown, one German line each.
    const QStringList& problems() const { return problems_; }
    // Problems of the records of one time (impossible values).
    QStringList problemsAt(uint32_t time) const;

private:
    void add(const SynopRecord& record, const StationTable* stations, int& unplaced, int& unknown);
    void finish();

    std::vector<Station> stations_;
    std::vector<uint32_t> times_;
    QStringList problems_;
};

} // namespace kesmar
