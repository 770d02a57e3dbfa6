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
    (void)flush(); // a failure is counted in recordsLost()
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
        (void)flush(); // a failure is counted in recordsLost()
}

Status StationFileAppender::flush()
{
    if (buffer_.empty())
        return {};
    const size_t records = pendingRecords();
    Status written = writeBlock();
    buffer_.clear();
    (written ? written_ : lost_) += records;
    return written;
}

Status StationFileAppender::writeBlock()
{
    QFile file(stationFilePath());
    const auto fail = [&file] { return Error::inFile(file.fileName(), file.errorString()); };
    if (!file.open(QIODevice::ReadWrite))
        return fail();
    const qint64 whole = file.size() - file.size() % static_cast<qint64>(SynopRecord::kSize);
    if ((whole != file.size() && !file.resize(whole)) || !file.seek(whole))
        return fail();
    const auto bytes = static_cast<qint64>(buffer_.size());
    if (file.write(reinterpret_cast<const char*>(buffer_.data()), bytes) != bytes || !file.flush()) {
        const Error failed = fail();
        file.resize(whole);
        return failed;
    }
    return {};
}

} // namespace kesmar
