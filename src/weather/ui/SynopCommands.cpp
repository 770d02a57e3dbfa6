#include "weather/ui/SynopCommands.h"

#include "weather/SynopTables.h"
#include "weather/ui/CSynopConvertDlg.h"
#include "weather/ui/CSynopDownloadDlg.h"

#include <QMessageBox>
#include <QNetworkProxyFactory>

namespace kesmar {

namespace {

// The reason a table did not load, naming the table; empty when all loaded.
[[maybe_unused]] QString loadError(const QString& message)
{
    return message;
}

[[maybe_unused]] QString loadError(const Status& status)
{
    return status.ok() ? QString() : status.error().describe();
}

} // namespace

SynopCommands::SynopCommands(QString programFolder, SynopDownloadSettings settings, QWidget* window)
    : QObject(window)
    , programFolder_(std::move(programFolder))
    , settings_(std::move(settings))
    , window_(window)
    , connection_(settings_)
    , message_([](QWidget* owner, const QString& text) {
        QMessageBox::warning(owner, QStringLiteral("Kesmar"), text);
    })
{
}

int SynopCommands::convert()
{
    SynopTables tables;
    const Status loaded = tables.load(programFolder_);
    if (!loaded) {
        message_(window_, tr("Die SYNOP-Tabelle konnte nicht geladen werden, es wird nichts konvertiert:\n%1")
                              .arg(loaded.error().describe()));
        return 0;
    }
    int result = 0;
    {
        CSynopConvertDlg dialog(programFolder_, tables, settings_.serverAddress(), window_);
        result = dialog.exec();
    }
    tables.clear();
    return result;
}

int SynopCommands::download()
{
    // The system's proxy settings, as a browser would use them.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    CSynopDownloadDlg dialog(programFolder_, settings_, connection_, window_);
    dialog.setMessageHandler(message_);
    return dialog.exec();
}

} // namespace kesmar
