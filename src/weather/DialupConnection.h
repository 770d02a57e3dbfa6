#pragma once
#include "weather/SynopDownloadSettings.h"

#include <QObject>
#include <QString>
#include <functional>

class QProcess;

namespace kesmar {

// The internet connection as the download sees it, kept for the program's
// run: a connection found before the first download is never dialled nor
// hung up; one this object brought up with the dial command is hung up at
// the end of the download that needed it.
class DialupConnection : public QObject {
    Q_OBJECT
public:
    // Whether the machine is online; by default asked of the system's
    // network information, and taken as online when the system cannot tell.
    using Probe = std::function<bool()>;

    explicit DialupConnection(SynopDownloadSettings settings, QObject* parent = nullptr);
    ~DialupConnection() override;

    void setProbe(Probe probe) { probe_ = std::move(probe); }
    void setDialTimeout(int milliseconds) { dialTimeoutMs_ = milliseconds; }

    // Makes sure there is a connection, dialling when needed; emits ready()
    // once (possibly before returning when nothing has to be dialled).
    void connectIfNeeded();
    // Stops a dial command still running; ready(false) follows.
    void cancel();
    // At the end of a download: hangs up the connection dialled here unless
    // one existed before.
    void hangUpIfDialled();

    bool dialled() const { return dialled_; }
    bool connectionExisted() const { return connectionExisted_; }
    const QString& lastError() const { return lastError_; }

    static bool systemReportsOnline();

signals:
    void ready(bool connected);

private:
    void dialFinished(bool ok, const QString& error);

    SynopDownloadSettings settings_;
    Probe probe_;
    QProcess* dialProcess_ = nullptr;
    int dialTimeoutMs_ = 90000;
    bool dialled_ = false;
    bool connectionExisted_ = false;
    QString lastError_;
};

} // namespace kesmar
