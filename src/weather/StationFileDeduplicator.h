#pragma once
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kesmar {

// Rewrites "SYNOP\STATION.DAT" without duplicate reports. Two records are
// the same report when their 10-byte keys are equal: the low 16 bits of the
// station number, the station latitude and longitude and the observation
// time. Of equal reports only the last one in the file is kept, in its own
// place; a record whose key is all zero is dropped.
//
// The survivors go to STATION.NEW, which is flushed to disk and then renamed
// over STATION.DAT in one step: at every moment STATION.DAT is whole, the
// old one or the new one. A STATION.NEW found later is an unfinished rewrite
// and is deleted by restoreLeftover(). Earlier versions renamed the old file
// to STATION.TMP during the rewrite; such a file still holds every record and
// is put back by restoreLeftover() as well.
class StationFileDeduplicator {
public:
    static constexpr const char* kTempName = "STATION.TMP";
    static constexpr const char* kNewName = "STATION.NEW";
    static constexpr size_t kKeySize = 10;

    struct Result {
        bool rewritten = false;   // a new station file was written
        size_t recordsBefore = 0;
        size_t recordsAfter = 0;
        QString error;            // empty unless the rewrite failed (file left as it was)
        size_t removed() const { return recordsBefore - recordsAfter; }
    };
    enum class Stage { Testing, Writing };
    // Called now and then with the stage and the per cent of it done.
    using Progress = std::function<void(Stage stage, int percent)>;

    explicit StationFileDeduplicator(QString programFolder);

    // Deletes an unfinished STATION.NEW and puts a STATION.TMP left behind
    // back as STATION.DAT; true if it did the latter.
    bool restoreLeftover();
    // A station file that does not exist is nothing to do (no error).
    Result run(const Progress& progress = {});

    // Which of the records (given as their 10-byte keys, back to back) stay.
    static std::vector<bool> survivors(std::span<const uint8_t> keys);
    // The key of one 487-byte record.
    static void keyOf(const uint8_t* record, uint8_t* key);

    QString stationFilePath() const;
    QString tempFilePath() const;
    QString newFilePath() const;

private:
    QString writeSurvivors(const QString& datPath, const QString& newPath, Result& result,
                           const Progress& progress);

    QString programFolder_;
};

} // namespace kesmar
