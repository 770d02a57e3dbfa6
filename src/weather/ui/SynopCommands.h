#pragma once
#include "weather/DialupConnection.h"
#include "weather/SynopDownloadSettings.h"

#include <QObject>
#include <functional>

class QWidget;

namespace kesmar {

// The two weather commands of the toolbar: fetch the SYNOP files from the
// server (32844) and convert them (32845). Holds the internet connection
// state for the program's run.
class SynopCommands : public QObject {
    Q_OBJECT
public:
    using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;

    SynopCommands(QString programFolder, SynopDownloadSettings settings, QWidget* window);

    // Loads the decoder tables, runs the conversion dialog modally and
    // releases the tables. A table that does not load is named in a message
    // and nothing is converted. Returns the dialog's result, 0 when not shown.
    int convert();
    // Runs the download dialog modally; returns its result.
    int download();

    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
    DialupConnection& connection() { return connection_; }

private:
    QString programFolder_;
    SynopDownloadSettings settings_;
    QWidget* window_;
    DialupConnection connection_;
    MessageHandler message_;
};

} // namespace kesmar
