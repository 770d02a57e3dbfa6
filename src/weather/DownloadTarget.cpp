#include "weather/DownloadTarget.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kesmar {

DownloadTarget::DownloadTarget(QString path) : path_(std::move(path)) {}

DownloadTarget::~DownloadTarget()
{
    if (file_.isOpen())
        (void)finish(false);
}

int64_t DownloadTarget::sizeOf(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile() ? info.size() : 0;
}

void DownloadTarget::discard()
{
    if (file_.isOpen())
        file_.close();
    if (restart_)
        QFile::remove(partPath());
}

Status DownloadTarget::beginAppend(int64_t offset)
{
    discard();
    restart_ = false;
    oldSize_ = sizeOf(path_);
    if (oldSize_ != offset)
        return Error::inFile(path_, QStringLiteral("changed while loading: %1 bytes, not %2").arg(oldSize_).arg(offset));
    file_.setFileName(path_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append))
        return Error::inFile(path_, file_.errorString());
    return {};
}

Status DownloadTarget::beginRestart()
{
    discard();
    restart_ = true;
    oldSize_ = sizeOf(path_);
    file_.setFileName(partPath());
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Error::inFile(partPath(), file_.errorString());
    return {};
}

Status DownloadTarget::write(const char* data, int64_t size)
{
    if (!file_.isOpen())
        return Error::inFile(path_, QStringLiteral("not open"));
    if (file_.write(data, size) != size)
        return Error::inFile(file_.fileName(), file_.errorString());
    return {};
}

Result<int64_t> DownloadTarget::finish(bool complete)
{
    if (!file_.isOpen())
        return sizeOf(path_);
    const bool flushed = file_.flush();
    const int64_t written = file_.size();
    file_.close();
    if (!restart_)
        return sizeOf(path_);
    restart_ = false;
    const QString part = partPath();
    // An interrupted new copy that holds less than the old file is dropped:
    // the old one is no worse a start for the next run.
    if (!flushed || (!complete && written <= oldSize_)) {
        QFile::remove(part);
        return sizeOf(path_);
    }
    // rename() replaces the old file in one step.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path_).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(part);
        return Error::inFile(path_, reason);
    }
    return written;
}

} // namespace kesmar
