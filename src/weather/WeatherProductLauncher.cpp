#include "weather/WeatherProductLauncher.h"

#include "core/FileUtil.h"
#include "core/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

namespace kesmar {
namespace {

const QString kDesktopOpener = QStringLiteral("xdg-open");

QString existingProgram(const QString& folder, const QString& stem)
{
    for (const QString& name : {stem, stem + QStringLiteral(".exe")}) {
        const QFileInfo info(findFileNoCase(folder, name));
        if (info.isFile() && info.isExecutable())
            return info.filePath();
    }
    return {};
}

} // namespace

WeatherProductLauncher::WeatherProductLauncher(QString programFolder, const IniFile* settings)
    : folder_(std::move(programFolder))
    , settings_(settings)
    , starter_([](const QString& program, const QStringList& arguments, const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    })
{
    if (QCoreApplication::instance()) {
        const QString own = QCoreApplication::applicationDirPath();
        // Installed side by side, or in the build tree (src/app next to tools/synview).
        toolFolders_ = {own, QDir(own).filePath(QStringLiteral("../../tools/synview"))};
    }
}

bool WeatherProductLauncher::start(const QString& program, const QStringList& arguments) const
{
    const bool started = starter_(program, arguments, folder_);
    QDir::setCurrent(folder_);
    return started;
}

std::optional<bool> WeatherProductLauncher::startConfigured(const QString& key, const QString& argument) const
{
    const auto command = settings_ ? settings_->value(u"Programs", key) : std::nullopt;
    if (!command || command->trimmed().isEmpty())
        return std::nullopt;
    QStringList arguments = QProcess::splitCommand(*command);
    if (arguments.isEmpty())
        return false;
    QString program = arguments.takeFirst();
    if (program.contains(QLatin1Char('/')) && QDir::isRelativePath(program))
        program = QDir(folder_).filePath(program);
    return start(program, arguments << argument);
}

bool WeatherProductLauncher::openText(const WeatherFileEntry& entry) const
{
    const auto first = startConfigured(QStringLiteral("WordPad"), entry.path);
    if (first ? *first : start(kDesktopOpener, {entry.path}))
        return true;
    if (const auto fallback = startConfigured(QStringLiteral("Dravix"), entry.path))
        return *fallback;
    const QString viewer = existingProgram(folder_, QStringLiteral("Dravix"));
    return !viewer.isEmpty() && start(viewer, {entry.path});
}

bool WeatherProductLauncher::openSynop(const WeatherFileEntry& entry) const
{
    const QString time = QString::number(entry.time);
    if (const auto configured = startConfigured(QStringLiteral("qrxsynv"), time))
        return *configured;
    const QString name = QString::fromLatin1(kSynopViewerProgram);
    QString program = QStandardPaths::findExecutable(name, toolFolders_);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        program = existingProgram(folder_, QStringLiteral("qrxsynv"));
    return !program.isEmpty() && start(program, {time});
}

Result<bool> WeatherProductLauncher::openFax(const WeatherFileEntry& entry) const
{
    // Decoded once here: a damaged image gets a message instead of a viewer.
    QImageReader reader(entry.path);
    if (reader.read().isNull())
        return Error::inFile(entry.path, reader.errorString());
    if (const auto configured = startConfigured(QStringLiteral("qrxfaxv"), entry.path))
        return *configured;
    return start(kDesktopOpener, {entry.path});
}

Result<bool> WeatherProductLauncher::open(const WeatherFileEntry& entry) const
{
    // A bulletin file always opens as text, also one whose "F..._" name gave
    // it the fax bit: it lives in SYNOP, not in FAX.
    if (entry.source == WeatherFileEntry::Source::TextFile)
        return openText(entry);
    if (entry.kind & WeatherKind::Synop)
        return openSynop(entry);
    if (entry.kind & WeatherKind::Fax)
        return openFax(entry);
    return false;
}

} // namespace kesmar
