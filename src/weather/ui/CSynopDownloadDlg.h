#pragma once
#include "weather/SynopDownload.h"
#include "weather/SynopTimeWindow.h"
#include "weather/ui/SynopProgressDialog.h"

#include <functional>
#include <optional>

namespace kesmar {

class DialupConnection;

// "Load Internetfiles - Please ! First connect the Internet": connects
// (dialling if configured and needed), checks the 73 hours on the server and
// loads the files whose size differs, newest first. The transfer runs on the
// event loop at network speed; the window shows its progress.
class CSynopDownloadDlg : public SynopProgressDialog {
    Q_OBJECT
public:
    // How a failure is told to the user; by default a message box "Kesmar".
    using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;

    CSynopDownloadDlg(const QString& programFolder, const SynopDownloadSettings& settings,
                      DialupConnection& connection, QWidget* parent = nullptr);

    void setTimeWindow(const SynopTimeWindow& window) { window_ = window; }
    void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
    SynopDownload& engine() { return download_; }

    void reject() override;

protected:
    void start() override;

private:
    void connected(bool ok);
    void showProgress();
    void downloadFinished();
    void end(int result);

    SynopDownload download_;
    DialupConnection& connection_;
    std::optional<SynopTimeWindow> window_;
    MessageHandler message_;
    bool waitingForConnection_ = false;
    bool ended_ = false;
};

} // namespace kesmar
