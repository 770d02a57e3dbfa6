#include "SynviewWindow.h"

#include "SynviewLegend.h"
#include "SynviewMapWidget.h"
#include "SynviewScene.h"
#include "core/FileUtil.h"
#include "view/CommandIcons.h"
#include "view/CommandIds.h"
#include "view/KeyMap.h"
#include "weather/StationReportText.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace kesmar {

SynviewWindow::SynviewWindow(SynviewScene& scene, QWidget* parent)
    : QMainWindow(parent)
    , scene_(scene)
{
    setWindowTitle(tr("Kesmar – Synop-Wetter-Karte"));
    map_ = new SynviewMapWidget(scene_, this);
    setCentralWidget(map_);
    buildToolBars();
    count_ = new QLabel(this);
    statusBar()->addPermanentWidget(count_);
    connect(map_, &SynviewMapWidget::viewChanged, this, &SynviewWindow::updateCount);
    connect(map_, &SynviewMapWidget::stationClicked, this, &SynviewWindow::showStation);
    fillTimes();
    // A conversion in the plotter replaces the station file while we show it.
    // Changes come in bursts (append, duplicate removal, rename): one reload
    // once they have settled.
    reloadTimer_ = new QTimer(this);
    reloadTimer_->setSingleShot(true);
    reloadTimer_->setInterval(500);
    connect(reloadTimer_, &QTimer::timeout, this, &SynviewWindow::reload);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, reloadTimer_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        watchStationFile();
        reloadTimer_->start();
    });
    watchStationFile();
    map_->setFocus();
}

void SynviewWindow::watchStationFile()
{
    const QString file = programPath(scene_.programFolder(), QString::fromLatin1(SynopMapData::kStationFile));
    // A file replaced by a rename drops out of the watch list.
    if (!watcher_->files().contains(file) && QFileInfo::exists(file)) watcher_->addPath(file);
    const QString folder = QFileInfo(file).absolutePath();
    if (!watcher_->directories().contains(folder) && QFileInfo::exists(folder)) watcher_->addPath(folder);
}

void SynviewWindow::reload()
{
    const QStringList problems = scene_.reloadStations();
    fillTimes();
    map_->stationsChanged();
    if (!problems.isEmpty()) statusBar()->showMessage(problems.join(QStringLiteral("  ")));
    else showTimeProblems();
}

void SynviewWindow::buildToolBars()
{
    QToolBar* view = addToolBar(tr("Ansicht"));
    view->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    const std::pair<CommandId, QString> buttons[] = {
        {CommandId::PanDown, tr("Nach unten")},  {CommandId::PanUp, tr("Nach oben")},
        {CommandId::ZoomIn, tr("Vergrößern")},   {CommandId::WholeWorld, tr("Ganze Welt")},
        {CommandId::ZoomOut, tr("Verkleinern")}, {CommandId::PanLeft, tr("Nach links")},
        {CommandId::PanRight, tr("Nach rechts")},
    };
    for (const auto& [id, text] : buttons) {
        QAction* a = view->addAction(commandIcon(id), text);
        const int code = zoomPanCode(id);
        connect(a, &QAction::triggered, this, [this, code = code] { map_->zoomPan(code); });
    }

    QToolBar* bar = addToolBar(tr("Beobachtungszeit"));
    QAction* earlier = bar->addAction(tr("◀ Früher"));
    earlier->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Comma)});
    earlier->setToolTip(tr("Vorige Beobachtungszeit (Alt+Links)"));
    connect(earlier, &QAction::triggered, this, [this] { stepTime(-1); });
    times_ = new QComboBox(bar);
    times_->setMinimumContentsLength(30);
    times_->setFocusPolicy(Qt::ClickFocus);
    bar->addWidget(times_);
    QAction* later = bar->addAction(tr("Später ▶"));
    later->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Period)});
    later->setToolTip(tr("Nächste Beobachtungszeit (Alt+Rechts)"));
    connect(later, &QAction::triggered, this, [this] { stepTime(1); });
    connect(times_, &QComboBox::activated, this, &SynviewWindow::timeChosen);
    bar->addSeparator();
    QAction* reload = bar->addAction(tr("Neu laden"));
    reload->setShortcut(QKeySequence(Qt::Key_F5));
    reload->setToolTip(tr("SYNOP\\STATION.DAT neu lesen (F5)"));
    connect(reload, &QAction::triggered, this, &SynviewWindow::reload);
    QAction* legend = bar->addAction(tr("Zeichenerklärung"));
    legend->setShortcut(QKeySequence(Qt::Key_F1));
    connect(legend, &QAction::triggered, this, &SynviewWindow::showLegend);
}

void SynviewWindow::showLegend()
{
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Kesmar – Zeichenerklärung"));
    auto* layout = new QVBoxLayout(dialog);
    auto* picture = new QLabel(dialog);
    picture->setPixmap(QPixmap::fromImage(SynviewLegend::render()));
    layout->addWidget(picture);
    dialog->show();
}

void SynviewWindow::fillTimes()
{
    times_->clear();
    for (uint32_t t : scene_.data().times())
        times_->addItem(tr("%1  (%2 Stationen)").arg(StationReportText::timeText(t)).arg(scene_.data().countAt(t)), t);
    if (times_->count() == 0) times_->addItem(tr("keine Meldungen in SYNOP\\STATION.DAT"));
    const int row = times_->findData(scene_.time());
    times_->setCurrentIndex(row >= 0 ? row : 0);
}

void SynviewWindow::showTime(uint32_t time)
{
    const uint32_t nearest = scene_.data().nearestTime(time);
    if (nearest == 0) {
        statusBar()->showMessage(tr("Zu %1 gibt es keine Meldungen.").arg(StationReportText::timeText(time)));
        return;
    }
    scene_.setTime(nearest);
    times_->setCurrentIndex(times_->findData(nearest));
    if (nearest != time)
        statusBar()->showMessage(tr("Zu %1 gibt es keine Meldungen; gezeigt wird %2.")
                                     .arg(StationReportText::timeText(time), StationReportText::timeText(nearest)));
    map_->stationsChanged();
}

void SynviewWindow::stepTime(int delta)
{
    const int row = times_->currentIndex() + delta;
    if (row < 0 || row >= times_->count() || !times_->itemData(row).isValid()) return;
    times_->setCurrentIndex(row);
    timeChosen(row);
}

void SynviewWindow::timeChosen(int row)
{
    const QVariant t = times_->itemData(row);
    if (!t.isValid()) return;
    scene_.setTime(t.toUInt());
    showTimeProblems();
    map_->stationsChanged();
    map_->setFocus();
}

void SynviewWindow::showTimeProblems()
{
    const QStringList problems = scene_.data().problemsAt(scene_.time());
    if (problems.isEmpty())
        statusBar()->clearMessage();
    else if (problems.size() == 1)
        statusBar()->showMessage(problems.front());
    else
        statusBar()->showMessage(tr("%1 Meldungen mit unmöglichen Werten, z. B. %2").arg(problems.size()).arg(problems.front()));
}

void SynviewWindow::updateCount(int drawn, int visible)
{
    count_->setText(tr("%1 von %2 Stationen im Bild gezeigt, %3 zu dieser Zeit")
                        .arg(drawn).arg(visible).arg(scene_.shownStations().size()));
}

void SynviewWindow::showStation(int index)
{
    const auto& station = scene_.data().stations()[size_t(index)];
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Kesmar – Stationsmeldung"));
    auto* layout = new QVBoxLayout(dialog);
    auto* text = new QPlainTextEdit(StationReportText::build(station.record), dialog);
    text->setReadOnly(true);
    text->setMinimumSize(460, 420);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* close = buttons->addButton(tr("Schließen"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    dialog->show();
}

void SynviewWindow::reportProblems()
{
    const QStringList lines = scene_.messages() + scene_.data().problemsAt(scene_.time());
    if (lines.isEmpty()) return;
    QMessageBox box(QMessageBox::Warning, tr("Kesmar"), tr("Nicht alles ließ sich zeigen:"), QMessageBox::Ok, this);
    box.setInformativeText(lines.mid(0, 20).join(QLatin1Char('\n')));
    box.exec();
}

} // namespace kesmar
