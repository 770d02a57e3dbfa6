#include "chartdata/LineFileCache.h"

#include <QMutexLocker>

namespace kesmar {

Result<LineFile> LineFileCache::get(const QString& programFolder, const QString& chartName)
{
    {
        QMutexLocker lock(&mutex_);
        if (programFolder != folder_) {
            files_.clear();
            folder_ = programFolder;
        }
        const auto it = files_.constFind(chartName);
        if (it != files_.constEnd()) return *it;
    }
    // Read outside the lock: a large chart must not hold up another window.
    Result<LineFile> file = LineFile::load(programFolder, chartName);
    if (!file) return file;
    QMutexLocker lock(&mutex_);
    if (programFolder == folder_) files_.insert(chartName, *file);
    return file;
}

void LineFileCache::put(const QString& programFolder, const QString& chartName, LineFile file)
{
    QMutexLocker lock(&mutex_);
    if (programFolder != folder_) {
        files_.clear();
        folder_ = programFolder;
    }
    files_.insert(chartName, std::move(file));
}

void LineFileCache::clear()
{
    QMutexLocker lock(&mutex_);
    files_.clear();
}

int LineFileCache::size() const
{
    QMutexLocker lock(&mutex_);
    return int(files_.size());
}

} // namespace kesmar
