#pragma once
#include "core/Error.h"

#include <QFile>
#include <QString>
#include <cstdint>

namespace kesmar {

// The local side of one hourly file's download. A resumed download appends
// to the file in place; a download from the start goes to "<name>.part"
// beside it and replaces the file only when it arrived whole or got longer
// than the old file, so an interrupted run never leaves a shorter file.
class DownloadTarget {
public:
    explicit DownloadTarget(QString path);
    ~DownloadTarget();
    DownloadTarget(const DownloadTarget&) = delete;
    DownloadTarget& operator=(const DownloadTarget&) = delete;

    static int64_t sizeOf(const QString& path);

    // Appends at `offset`, which must be the file's current length.
    Status beginAppend(int64_t offset);
    // Receives the whole file anew.
    Status beginRestart();
    Status write(const char* data, int64_t size);
    // Closes the file. Returns the local file's length afterwards.
    Result<int64_t> finish(bool complete);

    bool isOpen() const { return file_.isOpen(); }
    bool restarting() const { return restart_; }
    const QString& path() const { return path_; }
    QString partPath() const { return path_ + QStringLiteral(".part"); }

private:
    void discard();

    QString path_;
    QFile file_;
    bool restart_ = false;
    int64_t oldSize_ = 0;
};

} // namespace kesmar
