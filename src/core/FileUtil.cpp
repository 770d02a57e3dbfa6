#include "core/FileUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kesmar {

Status writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const auto fail = [&path](const QString& why) { return Error::inFile(path, why); };
    // A file that is there but cannot be read was loaded as empty or as the
    // defaults; replacing it would throw away what nobody has seen.
    if (QFileInfo::exists(path)) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly))
            return fail(existing.errorString());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return {};
}

Result<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error::inFile(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error::inFile(path, file.errorString());
    return bytes;
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    Result<QByteArray> bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    return std::move(bytes).value();
}

QString findFileNoCase(const QString& dir, const QString& name)
{
    const QString direct = QDir(dir).filePath(name);
    if (QFileInfo::exists(direct))
        return direct;
    const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(dir).filePath(entry);
    return direct;
}

QString programPath(const QString& programFolder, const QString& relative)
{
    QString path = programFolder;
    const QStringList parts = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        path = findFileNoCase(path, part);
    return path;
}

} // namespace kesmar
