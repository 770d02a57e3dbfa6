#include "miniwin/MiniWindowSet.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointHitTest.h"
#include "miniwin/CMiniWindow.h"
#include "miniwin/MiniWindowLayout.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"
#include "view/MouseController.h"
#include "view/PointInfoWindow.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

namespace kesmar {

namespace {

CommandId toggleCommand(int number)
{
    return static_cast<CommandId>(toInt(CommandId::MiniWindow1) + number - 1);
}

} // namespace

MiniWindowSet::MiniWindowSet(CKesmarView& view, QWidget& owner)
    : QObject(&owner), view_(view), owner_(owner), errorSound_([] { QApplication::beep(); })
{
    for (int n = 1; n <= CMiniWindow::kPickup; ++n) {
        auto* w = new CMiniWindow(n, view.context(), view.picture(), &owner);
        windows_[size_t(n - 1)] = w;
        connect(w, &CMiniWindow::closeRequested, this, &MiniWindowSet::close);
        connect(w, &CMiniWindow::buoyInfoRequested, this, &MiniWindowSet::buoyInfo);
        connect(w, &CMiniWindow::cursorPositionChanged, this, &MiniWindowSet::cursorPositionChanged);
        connect(w, &CMiniWindow::clicked, this, [this](int number, QPoint p) {
            CMiniWindow& clickedWindow = window(number);
            const bool available = (clickedWindow.charts().chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
            const PointHitTest::Hit hit =
                PointHitTest::find(clickedWindow.viewport(), clickedWindow.charts().entries(), available,
                                   PointHitTest::diskFiles(view_.context().programFolder), p.x(), p.y());
            if (!hit.found()) noBuoyNear();
        });
    }
    // The pickup closes as soon as it loses the focus, unless the buoy
    // information of a mini window is open.
    connect(&window(CMiniWindow::kPickup), &CMiniWindow::deactivated, this, [this](int number) {
        if (infoOwner_ == 0 && window(number).shownNumber() != 0) close(number);
    });
    info_ = new PointInfoWindow(&owner);
    connect(info_, &PointInfoWindow::dismissed, this, [this] {
        if (infoOwner_ != 0)
            removePointInfo();
        else
            info_->hide();
    });
    messageSink_ = [this](const QString& text) {
        QMessageBox::information(&owner_, QStringLiteral("Kesmar"), text);
    };
    MouseController& mouse = view.viewCommands().mouse();
    mouse.setMiniWindowHandler([this](const QRect& rect) { return openFromDrag(rect); });
    connect(&mouse, &MouseController::pickupRequested, this, &MiniWindowSet::openPickup);
    bindCommands();
    view.installEventFilter(this);
    qApp->installEventFilter(this);
}

MiniWindowSet::~MiniWindowSet() = default;

bool MiniWindowSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::Quit) {
        // The records as the windows stand, before quitting closes them.
        saveAll();
        for (CMiniWindow* w : windows_) w->setClosingDown(true);
        return false;
    }
    // The view's start-up ends with a repaint: the windows come back then.
    if (!restored_ && watched == &view_ && event->type() == QEvent::Paint
        && view_.context().startupPhase == StartupPhase::Running)
        QTimer::singleShot(0, this, &MiniWindowSet::restoreAll);
    return QObject::eventFilter(watched, event);
}

void MiniWindowSet::bindCommands()
{
    CommandSet& commands = view_.context().commands;
    for (int n = 1; n <= kNumbered; ++n) {
        commands.setCheckable(toggleCommand(n), true);
        commands.bind(toggleCommand(n), [this, n] { toggle(n); });
    }
    commands.bind(CommandId::ArrangeMiniWindows, [this] { arrange(); });
    updateChecks();
}

void MiniWindowSet::updateChecks()
{
    CommandSet& commands = view_.context().commands;
    for (int n = 1; n <= kNumbered; ++n)
        commands.setChecked(toggleCommand(n), window(n).shownNumber() != 0);
}

int MiniWindowSet::arrangeState() const
{
    return int(view_.context().config.arrangeState);
}

void MiniWindowSet::setArrangeState(int state)
{
    view_.context().config.arrangeState = uint32_t(state);
}

QRect MiniWindowSet::viewOnScreen() const
{
    return QRect(view_.mapToGlobal(QPoint(0, 0)), view_.size());
}

bool MiniWindowSet::openFromDrag(const QRect& rect)
{
    if (rect.width() < CMiniWindow::kMinimumRectangle || rect.height() < CMiniWindow::kMinimumRectangle)
        return false;
    CMiniWindow* free = nullptr;
    for (int n = 1; n <= kNumbered && !free; ++n)
        if (window(n).shownNumber() == 0) free = &window(n);
    if (!free) {
        if (messageSink_)
            messageSink_(tr("Maximal sind nur 4 MiniWindows möglich\nBitte schließen Sie vorher eins."));
        return true;
    }
    free->setShownNumber(free->number());
    // The drag's corners less one pixel, as the view's rectangles are taken.
    free->initFromView(view_, rect.translated(-1, -1));
    free->showWindow();
    setArrangeState(MiniWindowLayout::RightColumn);
    updateChecks();
    return true;
}

void MiniWindowSet::openPickup(const QRect& rect)
{
    CMiniWindow& pickup = window(CMiniWindow::kPickup);
    pickup.setShownNumber(CMiniWindow::kPickup);
    pickup.initFromView(view_, rect);
    pickup.showWindow();
    pickup.raise();
    pickup.activateWindow();
}

void MiniWindowSet::toggle(int number)
{
    CMiniWindow& w = window(number);
    if (w.shownNumber() != 0) {
        w.hideWindow();
        w.setShownNumber(0);
        if (infoOwner_ == number) removePointInfo();
    } else if (w.isInitialised()) {
        w.setShownNumber(number);
        w.showWindow();
    } else {
        return;
    }
    setArrangeState(MiniWindowLayout::RightColumn);
    updateChecks();
}

void MiniWindowSet::arrange()
{
    std::vector<CMiniWindow*> shown;
    for (int n = 1; n <= kNumbered; ++n)
        if (window(n).shownNumber() != 0) shown.push_back(&window(n));
    if (shown.empty()) return;
    for (CMiniWindow* w : shown) w->hideWindow();
    const int state = arrangeState() % 4;
    const int count = int(shown.size());
    for (int slot = 1; slot <= count; ++slot)
        shown[size_t(slot - 1)]->placeFrame(
            MiniWindowLayout::arrangeSlot(state, slot, count, view_.size(), viewOnScreen()));
    for (CMiniWindow* w : shown) w->showWindow();
    setArrangeState((state + 1) % 4);
}

void MiniWindowSet::close(int number)
{
    CMiniWindow& w = window(number);
    w.setShownNumber(0);
    setArrangeState(MiniWindowLayout::RightColumn);
    // A crosshair and description of a hidden window would stay behind.
    if (infoOwner_ == number) removePointInfo();
    saveRecord(number);
    w.hideWindow();
    updateChecks();
}

void MiniWindowSet::saveRecord(int number)
{
    CMiniWindow& w = window(number);
    w.hideWindow();
    if (number <= kNumbered && w.isInitialised())
        view_.context().config.miniWindows[size_t(number - 1)] = w.record();
}

void MiniWindowSet::saveAll()
{
    for (int n = 1; n <= kNumbered; ++n)
        if (window(n).isInitialised())
            view_.context().config.miniWindows[size_t(n - 1)] = window(n).record();
}

void MiniWindowSet::restoreAll()
{
    if (restored_) return;
    restored_ = true;
    ChartConfig& config = view_.context().config;
    // The windows come back where they were saved; only the next arrange
    // goes to the left column when one of them lies outside the view.
    bool outside = false;
    for (int n = 1; n <= kNumbered; ++n) {
        const MiniWindowState& s = config.miniWindows[size_t(n - 1)];
        const QRect saved(QPoint(s.left, s.top), QPoint(s.right - 1, s.bottom - 1));
        if (MiniWindowLayout::reachesOutside(saved, viewOnScreen())) outside = true;
    }
    if (outside) setArrangeState(MiniWindowLayout::LeftColumn);
    for (int n = 1; n <= kNumbered; ++n) {
        const MiniWindowState s = config.miniWindows[size_t(n - 1)];
        CMiniWindow& w = window(n);
        w.restore(s);
        if (s.shown != 0) {
            w.setShownNumber(n);
            w.showWindow();
        }
    }
    updateChecks();
}

void MiniWindowSet::buoyInfo(int number, QPoint clientPoint)
{
    CMiniWindow& w = window(number);
    if (infoOwner_ != 0) {
        removePointInfo();
        w.activateWindow();
        return;
    }
    const ChartViewContext& context = view_.context();
    const bool available = (w.charts().chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    const PointHitTest::Hit hit = PointHitTest::find(w.viewport(), w.charts().entries(), available,
                                                     PointHitTest::diskFiles(context.programFolder),
                                                     clientPoint.x(), clientPoint.y());
    if (!hit.found()) {
        noBuoyNear();
        return;
    }
    infoOwner_ = number;
    w.picture().setCrosshair(hit.record->position());
    const QPoint onScreen = w.mapToGlobal(w.viewport().projectClamped(hit.record->position()));
    info_->showPoint(*hit.record, onScreen, view_.picture().symbols(),
                     ChartPainter::activeColours(context.config, true), context.config.workFont.faceName());
}

void MiniWindowSet::removePointInfo()
{
    // The crosshair goes from the window it was drawn on.
    if (infoOwner_ != 0) window(infoOwner_).picture().setCrosshair(std::nullopt);
    infoOwner_ = 0;
    info_->hide();
}

void MiniWindowSet::noBuoyNear()
{
    if (errorSound_) errorSound_();
}

} // namespace kesmar
