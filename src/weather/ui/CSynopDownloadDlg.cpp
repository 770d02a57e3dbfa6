#include "weather/ui/CSynopDownloadDlg.h"

#include "weather/DialupConnection.h"
#include "weather/SynopConversion.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <ctime>

namespace kesmar {

CSynopDownloadDlg::CSynopDownloadDlg(const QString& programFolder, const SynopDownloadSettings& settings,
                                     DialupConnection& connection, QWidget* parent)
    : SynopProgressDialog(tr("Load Internetfiles - Please ! First connect the Internet"),
                          tr("LOAD %1").arg(settings.serverAddress()), parent)
    , download_(programFolder, settings)
    , connection_(connection)
    , message_([](QWidget* owner, const QString& text) {
        QMessageBox::warning(owner, QStringLiteral("Kesmar"), text);
    })
{
    connect(&download_, &SynopDownload::hourChecked, this, [this](int hour, const QString& line) {
        fileBar()->setValue(hour);
        fileGroup()->setTitle(line);
    });
    connect(&download_, &SynopDownload::totalChanged, this,
            [this](qint64 total) { totalGroup()->setTitle(SynopConversion::totalText(total)); });
    connect(&download_, &SynopDownload::fileStarted, this, [this](const QString& line) {
        stateLine()->setText(SynopDownload::stateText(SynopDownload::State::Loading));
        fileBar()->setRange(0, 100);
        fileGroup()->setTitle(line);
    });
    connect(&download_, &SynopDownload::progressChanged, this, &CSynopDownloadDlg::showProgress);
    connect(&download_, &SynopDownload::finished, this, &CSynopDownloadDlg::downloadFinished);
}

void CSynopDownloadDlg::start()
{
    stateLine()->setText(tr("DAIL FOR WEB CONNECT"));
    totalBar()->setRange(0, 100);
    totalBar()->setValue(0);
    fileBar()->setRange(0, SynopTimeWindow::kHours);
    fileBar()->setValue(0);
    waitingForConnection_ = true;
    connect(&connection_, &DialupConnection::ready, this, &CSynopDownloadDlg::connected,
            Qt::SingleShotConnection);
    connection_.connectIfNeeded();
}

void CSynopDownloadDlg::connected(bool ok)
{
    if (!waitingForConnection_ || ended_)
        return;
    waitingForConnection_ = false;
    if (!ok) {
        if (!connection_.lastError().isEmpty())
            message_(this, connection_.lastError());
        end(kDone);
        return;
    }
    stateLine()->setText(SynopDownload::stateText(SynopDownload::State::Checking));
    download_.start(window_ ? *window_ : SynopTimeWindow::fromNow(std::time(nullptr)));
}

void CSynopDownloadDlg::showProgress()
{
    const SynopDownloadProgress& p = download_.progress();
    if (download_.state() != SynopDownload::State::Loading)
        return;
    fileBar()->setValue(p.filePercent);
    totalBar()->setValue(p.totalPercent);
}

void CSynopDownloadDlg::downloadFinished()
{
    if (ended_)
        return;
    switch (download_.state()) {
    case SynopDownload::State::CheckFailed:
        message_(this, download_.checkError());
        break;
    case SynopDownload::State::Finished: {
        QStringList failed;
        for (const SynopDownloadEntry& e : download_.entries())
            if (e.outcome != SynopDownloadEntry::Outcome::Complete)
                failed << QStringLiteral("%1: %2").arg(e.name, e.error);
        if (!failed.isEmpty())
            message_(this, tr("Nicht vollständig geladen:\n%1").arg(failed.join(QLatin1Char('\n'))));
        break;
    }
    default:
        break;
    }
    end(kDone);
}

void CSynopDownloadDlg::end(int result)
{
    if (ended_)
        return;
    ended_ = true;
    if (download_.isRunning())
        download_.cancel();
    connection_.cancel();
    connection_.hangUpIfDialled();
    done(result);
}

void CSynopDownloadDlg::reject()
{
    // A partial file stays and is resumed next time.
    end(kCancelled);
}

} // namespace kesmar
