#include "ChartFileSet.h"

#include "core/FileUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kesmar::chartbuild {

namespace {

QString systemText() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool renameFile(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The renames reach the disk only with their directory.
void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

Status writeSynced(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Error::inFile(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Error::inFile(path, file.errorString());
    if (::fsync(file.handle()) != 0)
        return Error::inFile(path, systemText());
    file.close();
    return {};
}

} // namespace

void ChartFileSet::write(const QString& path, const QByteArray& bytes) { entries_.push_back({path, bytes, false}); }

void ChartFileSet::remove(const QString& path) { entries_.push_back({path, {}, true}); }

Status ChartFileSet::writeTemporaries(std::vector<QString>& written) const
{
    for (const Entry& e : entries_) {
        if (e.remove)
            continue;
        const QString temporary = e.path + QLatin1String(kNewSuffix);
        if (Status s = writeSynced(temporary, e.bytes); !s) {
            QFile::remove(temporary);
            return s;
        }
        written.push_back(temporary);
    }
    return {};
}

Status ChartFileSet::moveOldAside(std::vector<Moved>& moved) const
{
    for (const Entry& e : entries_) {
        const QFileInfo info(e.path);
        const QString old = findFileNoCase(info.path(), info.fileName());
        if (!QFileInfo::exists(old) && !QFileInfo(old).isSymLink())
            continue;
        const QString aside = old + QLatin1String(kOldSuffix);
        if (QFileInfo(aside).isFile())
            QFile::remove(aside); // left by a run that was stopped
        if (!renameFile(old, aside))
            return Error::inFile(old, systemText());
        moved.push_back({old, aside});
    }
    return {};
}

void ChartFileSet::undo(const std::vector<Moved>& moved)
{
    for (auto it = moved.rbegin(); it != moved.rend(); ++it)
        renameFile(it->to, it->from);
}

QString ChartFileSet::markerPath() const
{
    const QFileInfo first(entries_.front().path);
    return first.path() + QLatin1Char('/') + first.completeBaseName() + QLatin1String(kMarkerSuffix);
}

// Finishes what a run that was killed left behind. With the marker every new
// file had been written whole, so the swap is completed; without it the new
// files may be partial, so the old set is put back.
void ChartFileSet::recover() const
{
    const bool forward = QFileInfo::exists(markerPath());
    for (const Entry& e : entries_) {
        const QFileInfo info(e.path);
        const QString current = findFileNoCase(info.path(), info.fileName());
        const QString fresh = e.path + QLatin1String(kNewSuffix);
        const QString aside = findFileNoCase(info.path(), info.fileName() + QLatin1String(kOldSuffix));
        if (forward) {
            if (QFileInfo::exists(fresh))
                renameFile(fresh, e.path);
            else if (e.remove)
                QFile::remove(current);
            QFile::remove(aside);
        } else {
            QFile::remove(fresh);
            if (QFileInfo::exists(aside) && !QFileInfo::exists(current))
                renameFile(aside, current);
            else
                QFile::remove(aside);
        }
    }
    syncDirectory(QFileInfo(entries_.front().path).path());
    QFile::remove(markerPath());
}

Status ChartFileSet::commit()
{
    if (entries_.empty())
        return {};
    recover();
    std::vector<QString> temporaries;
    Status status = writeTemporaries(temporaries);
    if (status)
        status = writeSynced(markerPath(), {});
    std::vector<Moved> moved;
    if (status) {
        syncDirectory(QFileInfo(entries_.front().path).path());
        status = moveOldAside(moved);
    }
    std::vector<Moved> placed;
    for (const Entry& e : entries_) {
        if (!status || e.remove)
            continue;
        const QString temporary = e.path + QLatin1String(kNewSuffix);
        if (renameFile(temporary, e.path))
            placed.push_back({e.path, temporary});
        else
            status = Error::inFile(e.path, systemText());
    }
    if (!status) {
        for (const Moved& p : placed)
            QFile::remove(p.from);
        for (const QString& temporary : temporaries)
            QFile::remove(temporary);
        undo(moved);
        QFile::remove(markerPath());
        return status;
    }
    syncDirectory(QFileInfo(entries_.front().path).path());
    for (const Moved& m : moved)
        QFile::remove(m.to);
    QFile::remove(markerPath());
    return {};
}

} // namespace kesmar::chartbuild
