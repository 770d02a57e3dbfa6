#include "view/CompanionLauncher.h"

#include "core/FileUtil.h"
#include "core/IniFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace kesmar {

CompanionLauncher::CompanionLauncher(QString programFolder, const IniFile* settings)
    : m_folder(std::move(programFolder))
    , m_settings(settings)
    , m_starter([](const QString& program, const QStringList& arguments, const QString& dir) {
        return QProcess::startDetached(program, arguments, dir);
    })
    , m_opener([](const QUrl& document) { return QDesktopServices::openUrl(document); })
{
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

bool CompanionLauncher::start(const QString& stem, const QStringList& extraArguments) const
{
    QString program;
    QStringList arguments;
    const auto command = m_settings ? m_settings->value(u"Programs", stem) : std::nullopt;
    if (command && !command->trimmed().isEmpty()) {
        arguments = QProcess::splitCommand(*command);
        if (arguments.isEmpty())
            return false;
        program = arguments.takeFirst();
        // A bare name is searched on PATH; a relative path is below the folder.
        if (program.contains(QLatin1Char('/')) && QDir::isRelativePath(program))
            program = QDir(m_folder).filePath(program);
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

bool CompanionLauncher::openHelp() const
{
    const QString help = findFileNoCase(m_folder, QString::fromLatin1(kHelpFile));
    if (m_opener && m_opener(QUrl::fromLocalFile(help)))
        return true;
    return start(QString::fromLatin1(kHelpViewer), {help});
}

} // namespace kesmar
