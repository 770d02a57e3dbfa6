#include "weather/ui/SynopCommands.h"

#include "weather/SynopTables.h"
#include "weather/ui/CSynopConvertDlg.h"
#include "weather/ui/CSynopDownloadDlg.h"

#include <QMessageBox>
#include <QNetworkProxyFactory>

namespace kesmar {

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
    const QString error = tables.load(programFolder_);
    if (!error.isEmpty()) {
        message_(window_, tr("Die SYNOP-Tabelle konnte nicht geladen werden, es wird nichts konvertiert:\n%1")
                              .arg(error));
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
