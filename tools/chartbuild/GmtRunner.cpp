#include "GmtRunner.h"

#include "GmtText.h"

#include "core/FileUtil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>

namespace kesmar::chartbuild {

namespace {

std::optional<std::vector<GeoLine>> checked(Result<std::vector<GeoLine>> lines, QString* error)
{
    if (lines)
        return std::move(lines.value());
    if (error)
        *error = lines.error().describe();
    return std::nullopt;
}

} // namespace

GmtRunner::GmtRunner(QString cacheDir, QString program)
    : cacheDir_(std::move(cacheDir)), program_(std::move(program))
{
}

QStringList GmtRunner::coastArguments(const GeoBox& region, QChar resolution, const QString& selection)
{
    const QString r = QStringLiteral("-R%1/%2/%3/%4")
                          .arg(region.west, 0, 'g', 10)
                          .arg(region.east, 0, 'g', 10)
                          .arg(region.south, 0, 'g', 10)
                          .arg(region.north, 0, 'g', 10);
    return {QStringLiteral("coast"), r, QStringLiteral("-D") + resolution, selection,
            QStringLiteral("-M"), QStringLiteral("--GMT_HISTORY=false")};
}

std::optional<std::vector<GeoLine>> GmtRunner::coast(const GeoBox& region, QChar resolution,
                                                     const QString& selection, QString* error) const
{
    const QStringList args = coastArguments(region, resolution, selection);
    const QByteArray key = QCryptographicHash::hash(args.join(QLatin1Char(' ')).toUtf8(),
                                                    QCryptographicHash::Sha1).toHex().left(16);
    const QString cached = cacheDir_.isEmpty() ? QString()
                                               : QDir(cacheDir_).filePath(QStringLiteral("gmt-%1.txt").arg(QString::fromLatin1(key)));
    if (!cached.isEmpty()) {
        if (std::optional<QByteArray> text = readWholeFile(cached)) {
            Result<std::vector<GeoLine>> lines = parseGmtMultisegment(*text, cached);
            if (lines)
                return std::move(lines.value());
            // A damaged extract in the cache is made again.
        }
    }
    if (!cacheDir_.isEmpty())
        QDir().mkpath(cacheDir_);
    QProcess gmt;
    gmt.setProgram(program_);
    gmt.setArguments(args);
    // GMT keeps session files in its working directory; use the cache (or temp) folder.
    gmt.setWorkingDirectory(cacheDir_.isEmpty() ? QDir::tempPath() : cacheDir_);
    gmt.start();
    if (!gmt.waitForStarted(30'000) || !gmt.waitForFinished(600'000) || gmt.exitStatus() != QProcess::NormalExit
        || gmt.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("%1 %2 failed: %3 %4")
                         .arg(program_, args.join(QLatin1Char(' ')), gmt.errorString(),
                              QString::fromLocal8Bit(gmt.readAllStandardError()).trimmed());
        return std::nullopt;
    }
    const QByteArray text = gmt.readAllStandardOutput();
    if (!cached.isEmpty())
        (void)writeFileAtomically(cached, text); // a cache that cannot be written only costs time
    return checked(parseGmtMultisegment(text, program_ + QStringLiteral(" output")), error);
}

} // namespace kesmar::chartbuild
