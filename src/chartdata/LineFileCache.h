#pragma once
#include "chartdata/LineFile.h"

#include <QHash>
#include <QMutex>
#include <QString>

namespace kesmar {

// The line and area files of the charts, read once and kept in memory for
// every later paint instead of being read again per paint. Shared by the
// painters of the chart view, the mini windows and the printer; safe to use
// from the picture thread. Files that fail to load are not kept, so they are
// tried again only when the catalogue lets the chart be drawn again.
class LineFileCache {
public:
    LineFileCache() = default;
    LineFileCache(const LineFileCache&) = delete;
    LineFileCache& operator=(const LineFileCache&) = delete;

    // The chart's files, loaded on first use; an empty file and `error` set
    // when .LIN or .WPN cannot be read.
    Result<LineFile> get(const QString& programFolder, const QString& chartName);

    // Puts files in hand (built in memory) under a chart name.
    void put(const QString& programFolder, const QString& chartName, LineFile file);

    // Forgets every file (charts rebuilt or the chart list reloaded).
    void clear();
    int size() const;

private:
    mutable QMutex mutex_;
    QString folder_;
    QHash<QString, LineFile> files_;
};

} // namespace kesmar
