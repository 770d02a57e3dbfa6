#pragma once
#include "core/Error.h"
#include "weather/WeatherFileEntry.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace kesmar {

class IniFile;

// Opens a product of the bulletin list in an outside viewer. Programs are
// started detached with an argument list, never through a shell, with the
// program folder as working directory; the current directory is the program
// folder again afterwards.
//
// [Programs] in KMR.INI may name the command of each viewer, split like a
// command line, the product appended as last argument:
//   WordPad=  text bulletins (default: the desktop's viewer, xdg-open)
//   Dravix=   text bulletins when the first viewer did not start
//             (default: Dravix in the program folder)
//   qrxsynv=  a SYNOP group, given its observation time value
//             (default: kesmar-synview next to the program, or on PATH)
//   qrxfaxv=  fax images (default: the desktop's viewer)
class WeatherProductLauncher {
public:
    using Starter = std::function<bool(const QString& program, const QStringList& arguments,
                                       const QString& workingDirectory)>;

    static constexpr const char* kSynopViewerProgram = "kesmar-synview";

    WeatherProductLauncher(QString programFolder, const IniFile* settings);

    void setStarter(Starter starter) { starter_ = std::move(starter); }
    // Folders searched for kesmar-synview before PATH.
    void setToolFolders(QStringList folders) { toolFolders_ = std::move(folders); }

    // A fax image that does not decode is not handed on: its error says why.
    // Other failed starts are not reported (false only).
    Result<bool> open(const WeatherFileEntry& entry) const;

private:
    bool openText(const WeatherFileEntry& entry) const;
    bool openSynop(const WeatherFileEntry& entry) const;
    Result<bool> openFax(const WeatherFileEntry& entry) const;
    // Runs the [Programs] command of `key` with `argument`; nullopt when none is named.
    std::optional<bool> startConfigured(const QString& key, const QString& argument) const;
    bool start(const QString& program, const QStringList& arguments) const;

    QString folder_;
    const IniFile* settings_;
    Starter starter_;
    QStringList toolFolders_;
};

} // namespace kesmar
