#pragma once
#include "weather/StationFileAppender.h"
#include "weather/StationFileDeduplicator.h"
#include "weather/SynopDecoder.h"
#include "weather/SynopTimeWindow.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace kesmar {

class SynopTables;

// One hourly bulletin file found by the scan.
struct SynopFileEntry {
    QString name;        // YYYYMMDDHH_syn.wmo, without folder
    int64_t time = 0;    // time value of its hour
    uint32_t size = 0;   // length at scan time
    QString statusText;  // "load: %d Byte Synop-Data %d.%d.%d %d:00"
    int year = 0, month = 0, day = 0, hour = 0;
};

// Where a conversion stands, for a progress display.
struct SynopConversionProgress {
    int phase = 0;             // 1: open the next file, 2: decode its lines
    size_t filesListed = 0;
    size_t filesToConvert = 0;
    int64_t totalBytes = 0;    // of all listed files
    int64_t runBytes = 0;      // read so far in this run
    int64_t fileBytes = 0;     // read so far in the current file
    int64_t fileSize = 0;
    int filePercent = 0;       // current file, or the duplicate test and rewrite
    int totalPercent = 0;      // of the total bytes
    QString fileLine;          // what the current file line of the dialog shows
};

// Converts the hourly bulletin files "SYNOP\YYYYMMDDHH_syn.wmo" of the last
// 72 hours (73 files at most, both ends included) into the station file,
// newest file first, and removes duplicate reports at the end.
//
// The work is sliced for a dialog's timer: scan() lists the files, then each
// step() opens one file or decodes up to linesPerStep lines; the step after
// the last file removes the duplicates. run() does all steps at once.
class SynopConversion {
    Q_DECLARE_TR_FUNCTIONS(SynopConversion)
public:
    enum class Status {
        Ready,        // not scanned yet
        Scanning,
        Converting,
        Finished,     // all files done and duplicates removed
        NothingToDo,  // no file with data in the window
        Cancelled,
        TablesMissing // decodes nothing
    };
    static constexpr size_t kDefaultLinesPerStep = 100;

    // The tables must stay loaded while the conversion exists.
    SynopConversion(const QString& programFolder, const SynopTables& tables);

    // Lists the files of the window. Puts back a STATION.TMP left by an
    // interrupted run first. onHour is told each hour tested (0..72) and the
    // "Test: Synop-Data ..." line.
    void scan(const SynopTimeWindow& window,
              const std::function<void(int hour, const QString& line)>& onHour = {});
    // One slice of work; false once there is nothing left to do.
    bool step();
    void run();
    // Stops where it is: records already decoded are written, no duplicate removal.
    void cancel();

    void setLinesPerStep(size_t lines) { linesPerStep_ = lines == 0 ? 1 : lines; }
    Status status() const { return status_; }
    const std::vector<SynopFileEntry>& files() const { return files_; }
    const SynopConversionProgress& progress() const { return progress_; }
    const StationFileDeduplicator::Result& duplicateRemoval() const { return dedup_; }
    bool restoredLeftover() const { return restoredLeftover_; }
    size_t reportsWritten() const { return decoder_.reportsWritten(); }
    // Reports lost because the station file could not be written.
    size_t reportsLost() const { return appender_.recordsLost(); }
    size_t filesConverted() const { return filesConverted_; }
    const SynopTimeWindow& window() const { return window_; }

    // The dialog's texts.
    static QString stateText(Status status);
    static QString totalText(int64_t totalBytes);
    static QString testText(int day, int month, int year, int hour);
    static QString statusText(uint32_t size, int day, int month, int year, int hour);
    static QString fileName(int year, int month, int day, int hour);

private:
    void openNextFile();
    void decodeLines();
    void finishFile();
    void removeDuplicates();
    void updatePercents();

    QString programFolder_;
    const SynopTables& tables_;
    StationFileAppender appender_;
    SynopDecoder decoder_; // hands its records to appender_
    SynopTimeWindow window_;
    std::vector<SynopFileEntry> files_;
    SynopConversionProgress progress_;
    StationFileDeduplicator::Result dedup_;
    Status status_ = Status::Ready;
    size_t linesPerStep_ = kDefaultLinesPerStep;
    size_t filesConverted_ = 0;
    bool restoredLeftover_ = false;
    QByteArray data_; // the file being decoded
    qsizetype position_ = 0;
};

} // namespace kesmar
