#include "weather/ui/CSynopConvertDlg.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <ctime>

namespace kesmar {

CSynopConvertDlg::CSynopConvertDlg(const QString& programFolder, const SynopTables& tables,
                                   const QString& serverAddress, QWidget* parent)
    : SynopProgressDialog(tr("Convert WMO-Internetfiles  "), tr("CONVERT %1 - Files").arg(serverAddress), parent)
    , conversion_(programFolder, tables)
{
    conversion_.setLinesPerStep(2000);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CSynopConvertDlg::tick);
}

void CSynopConvertDlg::setSlices(int budgetMs, size_t linesPerSlice)
{
    budgetMs_ = budgetMs;
    conversion_.setLinesPerStep(linesPerSlice);
}

void CSynopConvertDlg::start()
{
    totalBar()->setRange(0, 100);
    totalBar()->setValue(0);
    fileBar()->setRange(0, SynopTimeWindow::kHours);
    fileBar()->setValue(0);
    stateLine()->setText(SynopConversion::stateText(SynopConversion::Status::Scanning));
    const SynopTimeWindow window = window_ ? *window_ : SynopTimeWindow::fromNow(std::time(nullptr));
    conversion_.scan(window, [this](int hour, const QString& line) {
        fileBar()->setValue(hour);
        fileGroup()->setTitle(line);
    });
    totalGroup()->setTitle(SynopConversion::totalText(conversion_.progress().totalBytes));
    if (conversion_.status() != SynopConversion::Status::Converting) {
        done(kDone);
        return;
    }
    stateLine()->setText(SynopConversion::stateText(SynopConversion::Status::Converting));
    fileBar()->setRange(0, 100);
    fileBar()->setValue(0);
    timer_.start();
}

void CSynopConvertDlg::tick()
{
    // A tick that arrives while one is still running (a nested event loop) does nothing.
    if (inTick_)
        return;
    inTick_ = true;
    QElapsedTimer elapsed;
    elapsed.start();
    bool more = true;
    do {
        more = conversion_.step();
    } while (more && elapsed.elapsed() < budgetMs_);
    showProgress();
    inTick_ = false;
    if (!more) {
        timer_.stop();
        done(kDone);
    }
}

void CSynopConvertDlg::showProgress()
{
    const SynopConversionProgress& p = conversion_.progress();
    if (!p.fileLine.isEmpty())
        fileGroup()->setTitle(p.fileLine);
    fileBar()->setValue(p.filePercent);
    totalBar()->setValue(p.totalPercent);
}

void CSynopConvertDlg::reject()
{
    // Records already appended stay; no duplicate removal.
    timer_.stop();
    conversion_.cancel();
    done(kCancelled);
}

} // namespace kesmar
