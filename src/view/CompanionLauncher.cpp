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
    : m_folder(std::move(programFolder))
    , m_settings(settings)
    , m_starter([](const QString& program, const QStringList& arguments, const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    })
    , m_opener([](const QUrl& document) { return QDesktopServices::openUrl(document); })
{
    // Installed side by side, or in the build tree (src/app next to tools/synview).
    if (QCoreApplication::instance()) {
        const QString own = QCoreApplication::applicationDirPath();
        m_toolFolders << own << QDir(own).filePath(QStringLiteral("../../tools/synview"));
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
    const auto command = m_settings ? m_settings->value(u"Programs", stem) : std::nullopt;
    if (!command || command->trimmed().isEmpty())
        return std::nullopt;
    QStringList arguments = QProcess::splitCommand(*command);
    // A bare name is searched on PATH; a relative path is below the folder.
    if (!arguments.isEmpty() && arguments[0].contains(QLatin1Char('/')) && QDir::isRelativePath(arguments[0]))
        arguments[0] = QDir(m_folder).filePath(arguments[0]);
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
        program = findProgram(m_folder, stem);
        if (program.isEmpty())
            return false;
    }
    return m_starter(program, arguments + extraArguments, m_folder);
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
    QString program = QStandardPaths::findExecutable(name, m_toolFolders);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return start(stem, timeArgument);
    return m_starter(program, timeArgument, m_folder);
}

bool CompanionLauncher::openHelp() const
{
    const QString help = findFileNoCase(m_folder, QString::fromLatin1(kHelpFile));
    if (m_opener && m_opener(QUrl::fromLocalFile(help)))
        return true;
    return start(QString::fromLatin1(kHelpViewer), {help});
}

} // namespace kesmar
