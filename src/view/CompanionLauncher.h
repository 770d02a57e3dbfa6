#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <optional>

namespace kesmar {

class IniFile;

// Starts the companion programs that live in the program folder and opens
// the short help text. Programs are started detached with an argument list
// (never through a shell) and the program folder as working directory.
//
// [Programs] in KMR.INI may name another command for a program, keyed by the
// program's stem ("qrxmenu=wine qrxmenu.exe"); it is split like a command
// line, and a relative program name is looked up in the program folder.
class CompanionLauncher {
public:
    // Starts `program` detached; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments,
                                       const QString& workingDirectory)>;
    // Opens a document with the desktop's viewer; false when none took it.
    using Opener = std::function<bool(const QUrl& document)>;

    static constexpr const char* kWeatherTerminal = "qrxmenu";
    static constexpr const char* kSynopViewer = "qrxsynv";
    static constexpr const char* kHelpViewer = "Dravix";
    static constexpr const char* kHelpFile = "KesmarHelp.rtf";
    // This platform's SYNOP viewer, installed beside the plotter.
    static constexpr const char* kSynopViewerProgram = "kesmar-synview";

    // settings may be null (no overrides).
    CompanionLauncher(QString programFolder, const IniFile* settings);

    void setStarter(Starter starter) { starter_ = std::move(starter); }
    void setOpener(Opener opener) { opener_ = std::move(opener); }

    // Starts the program of that stem; failures are not reported to the user.
    bool launch(const QString& stem) const;
    // The help text with the desktop viewer, else with the help viewer program.
    bool openHelp() const;
    // The SYNOP viewer, given an observation time value when there is one:
    // a [Programs] qrxsynv command, else kesmar-synview from the tool
    // folders or PATH, else a qrxsynv in the program folder.
    bool launchSynopViewer(std::optional<uint32_t> time = std::nullopt) const;
    // Where kesmar-synview is looked for first (default: the folder of the
    // running program).
    void setToolFolders(QStringList folders) { toolFolders_ = std::move(folders); }

    // The file in `folder` named `stem` or `stem`.exe, ignoring case;
    // empty when there is none.
    static QString findProgram(const QString& folder, const QString& stem);

private:
    bool start(const QString& stem, const QStringList& extraArguments) const;
    std::optional<QStringList> configured(const QString& stem) const;

    QString folder_;
    const IniFile* settings_;
    Starter starter_;
    Opener opener_;
    QStringList toolFolders_;
};

} // namespace kesmar
