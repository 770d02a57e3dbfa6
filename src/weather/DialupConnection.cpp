#include "weather/DialupConnection.h"

#include <QNetworkInformation>
#include <QProcess>
#include <QTimer>

namespace kesmar {

DialupConnection::DialupConnection(SynopDownloadSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), probe_(&DialupConnection::systemReportsOnline)
{
}

DialupConnection::~DialupConnection()
{
    if (dialProcess_) {
        dialProcess_->disconnect(this);
        dialProcess_->kill();
        dialProcess_->waitForFinished(1000);
    }
}

bool DialupConnection::systemReportsOnline()
{
    if (!QNetworkInformation::instance()
        && !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return true;
    const auto reachability = QNetworkInformation::instance()->reachability();
    return reachability != QNetworkInformation::Reachability::Disconnected
        && reachability != QNetworkInformation::Reachability::Local;
}

void DialupConnection::connectIfNeeded()
{
    lastError_.clear();
    if (!dialled_ && !connectionExisted_)
        connectionExisted_ = probe_ ? probe_() : true;
    const QStringList dial = settings_.commandArguments(settings_.dialCommand);
    // Without a dial command there is nothing to try: the requests will tell.
    if (connectionExisted_ || dialled_ || dial.isEmpty() || (probe_ && probe_())) {
        emit ready(true);
        return;
    }
    if (dialProcess_)
        return;
    dialProcess_ = new QProcess(this);
    dialProcess_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    dialProcess_->setStandardOutputFile(QProcess::nullDevice());
    connect(dialProcess_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        dialFinished(status == QProcess::NormalExit && code == 0,
                     tr("Die Verbindung \"%1\" konnte nicht hergestellt werden (Rückgabewert %2).")
                         .arg(settings_.dialupEntry)
                         .arg(code));
    });
    connect(dialProcess_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            dialFinished(false, dialProcess_->errorString());
    });
    QTimer::singleShot(dialTimeoutMs_, dialProcess_, [this] {
        dialProcess_->kill();
    });
    dialProcess_->start(dial.first(), dial.mid(1));
}

void DialupConnection::dialFinished(bool ok, const QString& error)
{
    if (!dialProcess_)
        return;
    dialProcess_->disconnect(this);
    dialProcess_->deleteLater();
    dialProcess_ = nullptr;
    dialled_ = ok;
    if (!ok)
        lastError_ = error;
    emit ready(ok);
}

void DialupConnection::cancel()
{
    if (dialProcess_) {
        dialProcess_->kill();
        dialFinished(false, tr("Wählen abgebrochen."));
    }
}

void DialupConnection::hangUpIfDialled()
{
    if (!dialled_ || connectionExisted_)
        return;
    dialled_ = false;
    const QStringList hangUp = settings_.commandArguments(settings_.hangUpCommand);
    if (!hangUp.isEmpty())
        QProcess::startDetached(hangUp.first(), hangUp.mid(1));
}

} // namespace kesmar
