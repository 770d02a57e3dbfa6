#pragma once
#include "core/Error.h"
#include "weather/SynopRecord.h"

#include <QString>
#include <cstddef>
#include <vector>

namespace kesmar {

// Appends decoded reports to "SYNOP\STATION.DAT" below the program folder.
// Records are collected and written in large blocks: a conversion produces a
// few hundred thousand 487-byte records, and opening the file per record
// would dominate the run. Whoever reads the station file next must call
// flush() first.
class StationFileAppender {
public:
    static constexpr const char* kFileName = "SYNOP\\STATION.DAT";
    static constexpr size_t kFlushBytes = 1 << 20;

    explicit StationFileAppender(QString programFolder);
    ~StationFileAppender();
    StationFileAppender(const StationFileAppender&) = delete;
    StationFileAppender& operator=(const StationFileAppender&) = delete;

    void append(const SynopRecord& record);
    // Writes the collected records. A station file that cannot be opened or
    // written loses them (the error names it); a short write is cut back so the file never
    // ends in a partial record, and a partial record already at its end is
    // removed before appending, since it would shift every later record.
    Status flush();

    size_t pendingRecords() const { return buffer_.size() / SynopRecord::kSize; }
    size_t recordsWritten() const { return written_; }
    size_t recordsLost() const { return lost_; }
    QString stationFilePath() const;

private:
    Status writeBlock();

    QString programFolder_;
    std::vector<uint8_t> buffer_;
    size_t written_ = 0;
    size_t lost_ = 0;
};

} // namespace kesmar
