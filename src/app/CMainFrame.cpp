#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CKesmarApp.h"
#include "app/DetailSheetCommands.h"
#include "app/FrameMenus.h"
#include "app/KesmarStatusBar.h"
#include "app/NavigationController.h"
#include "app/WeatherCommands.h"
#include "app/WindowPlacement.h"
#include "core/FileUtil.h"
#include "miniwin/MiniWindowSet.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaSlot.h"
#include "nmea/SimulatedTrack.h"
#include "nmea/ui/CNmeaPanel.h"
#include "view/CKesmarView.h"
#include "view/CommandIcons.h"
#include "view/CommandSet.h"
#include "weather/SynopDownloadSettings.h"
#include "weather/ui/SynopCommands.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <cmath>

namespace kesmar {

namespace {

// The view export keys hold value x 1,000,000 truncated. Offsets reach
// 10800 minutes, so the product needs 64 bits.
QString exportValue(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    return QString::number(static_cast<qint64>(std::trunc(value * 1000000.0)));
}

} // namespace

CMainFrame::CMainFrame(CKesmarApp& app, QWidget* parent) : QMainWindow(parent), app_(app)
{
    // The single-instance rule and the user know the window by this title.
    setWindowTitle(QStringLiteral("Kesmar"));
    resize(1024, 700);
    commands_ = new CommandSet(this);
    view_ = new CKesmarView(ChartViewContext{app.programFolder(), app.startupPhase(), app.viewport(), app.catalogue(),
                                             app.chartConfig(), app.vessel(), *commands_, app.settings().mile,
                                             &app.profile()},
                            this);
    setCentralWidget(view_);
    createBars();
    createNmea();
    navigation_ = new NavigationController(
        {app.aisTargets(), app.ownTrack(), app.vessel(), app.profile(), app.programFolder()}, *view_, *nmeaInput_,
        *commands_, *this);
    bindFrameCommands();
    miniWindows_ = new MiniWindowSet(*view_, *this);
    connect(miniWindows_, &MiniWindowSet::cursorPositionChanged, statusBar_, &KesmarStatusBar::setCursorPosition);
    view_->setFocus();
}

CMainFrame::~CMainFrame()
{
    saveAtExit();
}

void CMainFrame::createBars()
{
    buildMainMenu(*menuBar(), *commands_);
    toolBar_ = new QToolBar(tr("Symbolleiste"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar128"));
    toolBar_->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    buildToolbar(*toolBar_, *commands_);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    statusBar_ = new KesmarStatusBar(this);
    setStatusBar(statusBar_);
    connect(view_, &CKesmarView::statusMessage, statusBar_, &KesmarStatusBar::setMessageText);
    connect(view_, &CKesmarView::cursorPositionChanged, statusBar_, &KesmarStatusBar::setCursorPosition);
}

void CMainFrame::createNmea()
{
    panel_ = new CNmeaPanel(app_.nmeaLog(), this);
    nmeaInput_ = new NmeaInput(app_.vessel(), app_.nmeaLog(), this);
    track_ = new SimulatedTrack(*nmeaInput_, this);

    connect(nmeaInput_, &NmeaInput::gpsLatitudeTextChanged, statusBar_, &KesmarStatusBar::setGpsLatitude);
    connect(nmeaInput_, &NmeaInput::gpsLongitudeTextChanged, statusBar_, &KesmarStatusBar::setGpsLongitude);
    connect(nmeaInput_, &NmeaInput::panelTextChanged, panel_, &CNmeaPanel::setFieldText);
    connect(nmeaInput_, &NmeaInput::courseTextChanged, panel_, &CNmeaPanel::SetCourseText);
    connect(nmeaInput_, &NmeaInput::windAngleChanged, panel_, &CNmeaPanel::SetWindAngle);
    connect(nmeaInput_, &NmeaInput::depthTextChanged, panel_, &CNmeaPanel::SetDepthText);
    connect(nmeaInput_, &NmeaInput::vesselMoved, view_, qOverload<>(&QWidget::update));
    connect(panel_, &CNmeaPanel::panelVisibleChanged, this,
            [this](bool visible) { commands_->setChecked(CommandId::NmeaPanel, visible); });

    const QString trackFile = programPath(app_.programFolder(), QStringLiteral("DEMOCOOR.DAT"));
    track_->load(trackFile);
    // The demo is no reason to stop the start, but a damaged file is said.
    if (const auto& error = track_->lastLoad().error)
        qWarning("Kesmar: %s", qPrintable(error->describe()));
    if (const int skipped = track_->lastLoad().skippedLines)
        qWarning("Kesmar: %s: %d lines without a position skipped", qPrintable(trackFile), skipped);
    nmeaInput_->setStartPosition();
}

void CMainFrame::bindFrameCommands()
{
    commands_->setChecked(CommandId::NmeaPanel, panel_->isPanelVisible());
    commands_->bind(CommandId::NmeaPanel, [this] { panel_->togglePanel(); });

    commands_->setChecked(CommandId::ViewToolbar, true);
    commands_->bind(CommandId::ViewToolbar, [this] {
        toolBar_->setVisible(!toolBar_->isVisible());
        commands_->setChecked(CommandId::ViewToolbar, toolBar_->isVisible());
    });
    commands_->setChecked(CommandId::ViewStatusBar, true);
    commands_->bind(CommandId::ViewStatusBar, [this] {
        statusBar_->setVisible(!statusBar_->isVisible());
        commands_->setChecked(CommandId::ViewStatusBar, statusBar_->isVisible());
    });
    commands_->bind(CommandId::AppAbout, [this] {
        CAboutDlg about(this);
        about.exec();
    });
    commands_->bind(CommandId::AppExit, [this] { close(); });

    // The connection state of the download lives as long as the frame.
    auto* synop = new SynopCommands(app_.programFolder(), SynopDownloadSettings::read(app_.profile()), this);
    commands_->bind(CommandId::SynopDownload, [synop] { synop->download(); });
    commands_->bind(CommandId::SynopConvert, [synop] { synop->convert(); });
    new WeatherCommands(*commands_, *this, app_.programFolder(), app_.profile());
    new DetailSheetCommands(*commands_, *view_);
}

void CMainFrame::attachSlot(NmeaSlot& slot)
{
    connect(&slot, &NmeaSlot::datagramReceived, nmeaInput_, &NmeaInput::receiveDatagram);
    connect(&slot, &NmeaSlot::readError, this, [this](const QString& text) { app_.showError(this, text); });
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The click that activates the window must not start a gesture on the chart.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        view_->setInteractionMode(InteractionMode::JustActivated);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    saveAtExit();
    panel_->hide();
    event->accept();
}

void CMainFrame::saveAtExit()
{
    if (saved_)
        return;
    saved_ = true;
    track_->stop();
    app_.writeProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos"),
                            WindowPlacement::capture(*this).format());
    writeViewKeys();
    // The mini windows' records go into CHART.CFG with the view's.
    miniWindows_->saveAll();
    view_->shutDown();
}

void CMainFrame::writeViewKeys()
{
    const Viewport& viewport = app_.viewport();
    const QString map = QStringLiteral("MAP");
    app_.writeProfileString(map, QStringLiteral("lmapscale"), exportValue(viewport.scale()));
    app_.writeProfileString(map, QStringLiteral("lmapxoff"), exportValue(viewport.xOffset()));
    app_.writeProfileString(map, QStringLiteral("lmapyoff"), exportValue(viewport.yOffset()));
    app_.writeProfileString(map, QStringLiteral("yfactor"), exportValue(viewport.yFactor()));
}

} // namespace kesmar
