#include "view/CompanionLauncher.h"

#include "core/FileUtil.h"
#include "core/IniFile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kesmar {

CompanionLauncher::CompanionLauncher(QString programFolder, const IniFile* settings)
    : folder_(std::move(programFolder))
    , settings_(settings)
    , starter_([](const QString& program, const QStringList& arguments, const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    })
    , opener_([](const QUrl& document) { return QDesktopServices::openUrl(document); })
{
    // Installed side by side, or in the build tree (src/app next to tools/synview).
    if (QCoreApplication::instance()) {
        const QString own = QCoreApplication::applicationDirPath();
        toolFolders_ << own << QDir(own).filePath(QStringLiteral("../../tools/synview"));
    }
}

QString CompanionLauncher::findProgram(const QString& folder, const QString& stem)
{
    // The programs come from a system without case in file names.
    for (const QString& name : {stem, stem + QStringLiteral(".exe")}) {
        const QString path = findFileNoCase(folder, name);
        const QFileInfo info(path);
        if (info.exists() && info.isFile())
            return path;
    }
    return {};
}

std::optional<QStringList> CompanionLauncher::configured(const QString& stem) const
{
    const auto command = settings_ ? settings_->value(u"Programs", stem) : std::nullopt;
    if (!command || command->trimmed().isEmpty())
        return std::nullopt;
    QStringList arguments = QProcess::splitCommand(*command);
    // A bare name is searched on PATH; a relative path is below the folder.
    if (!arguments.isEmpty() && arguments[0].contains(QLatin1Char('/')) && QDir::isRelativePath(arguments[0]))
        arguments[0] = QDir(folder_).filePath(arguments[0]);
    return arguments;
}

bool CompanionLauncher::start(const QString& stem, const QStringList& extraArguments) const
{
    QString program;
    QStringList arguments;
    if (auto command = configured(stem)) {
        arguments = std::move(*command);
        if (arguments.isEmpty())
            return false;
        program = arguments.takeFirst();
    } else {
        program = findProgram(folder_, stem);
        if (program.isEmpty())
            return false;
    }
    return starter_(program, arguments + extraArguments, folder_);
}

bool CompanionLauncher::launch(const QString& stem) const
{
    return start(stem, {});
}

bool CompanionLauncher::launchSynopViewer(std::optional<uint32_t> time) const
{
    const QStringList timeArgument = time ? QStringList{QString::number(*time)} : QStringList{};
    const QString stem = QString::fromLatin1(kSynopViewer);
    if (configured(stem))
        return start(stem, timeArgument);
    const QString name = QString::fromLatin1(kSynopViewerProgram);
    QString program = QStandardPaths::findExecutable(name, toolFolders_);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return start(stem, timeArgument);
    return starter_(program, timeArgument, folder_);
}

bool CompanionLauncher::openHelp() const
{
    const QString help = findFileNoCase(folder_, QString::fromLatin1(kHelpFile));
    if (opener_ && opener_(QUrl::fromLocalFile(help)))
        return true;
    return start(QString::fromLatin1(kHelpViewer), {help});
}

} // namespace kesmar
