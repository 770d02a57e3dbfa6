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

Status ChartFileSet::commit()
{
    std::vector<QString> temporaries;
    Status status = writeTemporaries(temporaries);
    std::vector<Moved> moved;
    if (status)
        status = moveOldAside(moved);
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
        return status;
    }
    if (!entries_.empty())
        syncDirectory(QFileInfo(entries_.front().path).path());
    for (const Moved& m : moved)
        QFile::remove(m.to);
    return {};
}

} // namespace kesmar::chartbuild
