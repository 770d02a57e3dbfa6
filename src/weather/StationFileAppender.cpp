#include "weather/StationFileAppender.h"

#include "core/FileUtil.h"

#include <QFile>
#include <span>

namespace kesmar {

StationFileAppender::StationFileAppender(QString programFolder)
    : programFolder_(std::move(programFolder))
{
    buffer_.reserve(kFlushBytes + SynopRecord::kSize);
}

StationFileAppender::~StationFileAppender()
{
    flush();
}

QString StationFileAppender::stationFilePath() const
{
    return programPath(programFolder_, QLatin1String(kFileName));
}

void StationFileAppender::append(const SynopRecord& record)
{
    const size_t at = buffer_.size();
    buffer_.resize(at + SynopRecord::kSize);
    record.serialise(std::span<uint8_t, SynopRecord::kSize>(buffer_.data() + at, SynopRecord::kSize));
    if (buffer_.size() >= kFlushBytes)
        flush();
}

bool StationFileAppender::flush()
{
    if (buffer_.empty())
        return true;
    const size_t records = pendingRecords();
    const bool ok = writeBlock();
    buffer_.clear();
    (ok ? written_ : lost_) += records;
    return ok;
}

bool StationFileAppender::writeBlock()
{
    QFile file(stationFilePath());
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint64 whole = file.size() - file.size() % static_cast<qint64>(SynopRecord::kSize);
    if ((whole != file.size() && !file.resize(whole)) || !file.seek(whole))
        return false;
    const auto bytes = static_cast<qint64>(buffer_.size());
    if (file.write(reinterpret_cast<const char*>(buffer_.data()), bytes) != bytes || !file.flush()) {
        file.resize(whole);
        return false;
    }
    return true;
}

} // namespace kesmar
