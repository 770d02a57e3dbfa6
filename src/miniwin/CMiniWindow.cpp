#include "miniwin/CMiniWindow.h"

#include "chartdata/VesselMark.h"
#include "miniwin/MiniWindowKeys.h"
#include "miniwin/MiniWindowLayout.h"
#include "miniwin/MiniWindowMenu.h"
#include "nmea/VesselState.h"
#include "view/KeyMap.h"
#include "view/MouseController.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace kesmar {

CMiniWindow::CMiniWindow(int number, const ChartViewContext& viewContext, ChartPicture& viewPicture, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint)
    , number_(number)
    , viewContext_(viewContext)
    , viewPicture_(viewPicture)
    , ownContext_{viewContext.programFolder, viewContext.startupPhase, viewport_, charts_,
                  viewContext.config,        viewContext.vessel,       viewContext.commands}
    , picture_(ownContext_, *this)
{
    // The picture is always painted whole.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The template's 200 x 100 dialog units at the small dialog font.
    resize(300, 163);
    setWindowTitle(number == kPickup ? tr("temporary PickUp Window") : tr("%1.MiniWindow").arg(number));
    // Until opened: the whole world on this size, offsets 0.
    viewport_.startUp(PixelRect{0, 0, width(), height()});
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &CMiniWindow::tick);
    // The window manager decorates and places a window some time after it
    // is shown, without a move of the client area to tell.
    settle_.setInterval(150);
    connect(&settle_, &QTimer::timeout, this, [this] {
        // The window manager's time counts from its decoration on: on a
        // loaded machine getting there alone can take seconds.
        if (isDecorated()) {
            if (settleChecks_ > 0) --settleChecks_;
        } else if (++undecoratedChecks_ >= kUndecoratedChecks) {
            settleChecks_ = 0;
        }
        frameMoved();
        if (!pendingFrame_) settle_.stop();
    });
    menu_ = new MiniWindowMenu([this](CommandId id) { menuCommand(id); }, this);
    // The chart view's overlay (AIS targets, track) as it is at each paint.
    picture_.setOverlayPainter([this](QPainter& painter, const Viewport& viewport) {
        if (const auto& overlay = viewPicture_.overlayPainter()) overlay(painter, viewport);
    });
}

CMiniWindow::~CMiniWindow()
{
    timer_.stop();
}

int CMiniWindow::timerPeriod(int number)
{
    // 65 ms apart, so that the windows do not all redraw on the same tick.
    return number == kPickup ? 2060 : 1800 + 65 * (number - 1);
}

void CMiniWindow::copyFromView()
{
    viewport_ = viewContext_.viewport;
    // Buoyage symbols at 80 % of the chart view's size.
    ViewportStyle style = viewport_.style();
    style.symbolSize *= 0.8;
    viewport_.setStyle(style);
    charts_ = viewContext_.catalogue;
    picture_.setSymbols(viewPicture_.symbols());
}

void CMiniWindow::initFromView(const QWidget& view, const QRect& rect)
{
    copyFromView();
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.left() + rect.width();
    const int b = rect.top() + rect.height();
    viewport_.ZoomPan(l, r, t, b, Viewport::ZoomRectangle);
    if (number_ == kPickup) {
        viewport_.ZoomPan(0, 0, 0, 0, Viewport::ZoomInPad);
        viewport_.ZoomPan(0, 0, 0, 0, Viewport::ZoomInPad);
    }
    // The client area lies over the rectangle, the caption above it.
    const QMargins margins = frameMarginsGuess();
    QRect frame = QRect(view.mapToGlobal(QPoint(l, t)), QSize(r - l, b - t)).marginsAdded(margins);
    const QScreen* screen = view.screen();
    if (screen) frame = MiniWindowLayout::keepOnDesktop(frame, screen->availableGeometry());
    applyClientSize(frame.marginsRemoved(margins).size());
    // The client area is what covers the rectangle: whatever decoration the
    // window manager adds goes round it.
    frameRect_ = frame;
    pendingFrame_.reset();
    pendingView_.reset();
    setGeometry(frame.marginsRemoved(margins));
    initialised_ = true;
    setWindowTitle(number_ == kPickup ? tr("temporary PickUp Window") : tr("%1.MiniWindow").arg(number_));
}

void CMiniWindow::restore(const MiniWindowState& state)
{
    copyFromView();
    const QRect saved(QPoint(state.left, state.top), QPoint(state.right - 1, state.bottom - 1));
    const QMargins margins = frameMarginsGuess();
    // The stored scale is minutes per pixel of the stored size: set both,
    // then a smaller desktop shrinks the window by the resize rule.
    const QSize savedClient = saved.marginsRemoved(margins).size().expandedTo(QSize(kMinimumRectangle, kMinimumRectangle));
    viewport_.resize(PixelRect{0, 0, savedClient.width(), savedClient.height()});
    viewport_.setView(state.scale, state.xOffset, state.yOffset);
    QRect frame = saved.isValid() ? saved : QRect(QPoint(0, 0), savedClient).marginsAdded(margins);
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen())
        frame = MiniWindowLayout::keepOnDesktop(frame, screen->availableGeometry());
    applyClientSize(frame.marginsRemoved(margins).size());
    placeFrame(frame);
    initialised_ = true;
    setWindowTitle(tr("%1.MiniWindow").arg(number_));
}

std::optional<QMargins> CMiniWindow::frameMarginsOf(const QWidget& widget)
{
    // While the window manager reparents a window, its frame can be
    // reported as a pixel at the origin: no frame to measure.
    const QRect f = widget.frameGeometry();
    const QRect g = widget.geometry();
    if (!f.contains(g)) return std::nullopt;
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

bool CMiniWindow::isDecorated() const
{
    const auto own = frameMarginsOf(*this);
    return own && !own->isNull();
}

QMargins CMiniWindow::frameMarginsGuess() const
{
    // A window not yet decorated has no frame; the main window's is the
    // nearest guess of what the window manager will put round this one.
    const auto own = frameMarginsOf(*this);
    if ((own && !own->isNull()) || !parentWidget()) return own.value_or(QMargins());
    return frameMarginsOf(*parentWidget()->window()).value_or(QMargins());
}

void CMiniWindow::applyClientSize(QSize client)
{
    // The resize rule: the zoom relative to the whole world is kept, so the
    // visible longitude span stays when the window is widened.
    if (viewport_.resize(PixelRect{0, 0, client.width(), client.height()})) {
        charts_.setViewSize(client.width(), client.height());
        charts_.rescaleAndSelect(viewport_);
    }
    update();
}

void CMiniWindow::placeFrame(const QRect& frame)
{
    frameRect_ = frame;
    pendingFrame_ = frame;
    pendingView_ = View{viewport_.scale(), viewport_.xOffset(), viewport_.yOffset()};
    corrections_ = 3;
    settleChecks_ = kSettleChecks;
    undecoratedChecks_ = 0;
    setGeometry(frame.marginsRemoved(frameMarginsGuess()));
    if (isVisible()) settle_.start();
}

void CMiniWindow::frameMoved()
{
    // Windows being unmapped at the end report frames that are no place.
    if (!isVisible() || isMinimized() || closingDown_) return;
    const QRect now = frameGeometry();
    // A frame round nothing, or one not yet updated to a new client size.
    if (!now.contains(geometry())) return;
    if (pendingFrame_) {
        if (now == *pendingFrame_) {
            // Confirmed once the matching size has reached the viewport too.
            if (size() != QSize(viewport_.width(), viewport_.height())) return;
        } else if (settleChecks_ > 0) {
            // Not decorated or placed yet, or decorated otherwise than
            // guessed: ask again with the real decoration.
            if (isDecorated() && corrections_ > 0) {
                const QRect client = pendingFrame_->marginsRemoved(frameMarginsGuess());
                if (client != geometry()) {
                    --corrections_;
                    setGeometry(client);
                }
            }
            return;
        }
    }
    // Placed, or the window manager had the last word.
    pendingFrame_.reset();
    pendingView_.reset();
    settle_.stop();
    frameRect_ = now;
}

MiniWindowState CMiniWindow::record() const
{
    MiniWindowState s;
    s.scale = viewport_.scale();
    s.xOffset = viewport_.xOffset();
    s.yOffset = viewport_.yOffset();
    s.shown = shown_;
    s.left = frameRect_.left();
    s.top = frameRect_.top();
    s.right = frameRect_.left() + frameRect_.width();
    s.bottom = frameRect_.top() + frameRect_.height();
    return s;
}

void CMiniWindow::showWindow()
{
    showNormal();
    timer_.start(timerPeriod(number_));
}

void CMiniWindow::hideWindow()
{
    timer_.stop();
    hide();
}

bool CMiniWindow::zoomPan(int code, const QRect& rect)
{
    if (!viewport_.ZoomPan(rect.left(), rect.left() + rect.width(), rect.top(), rect.top() + rect.height(), code))
        return false;
    charts_.selectForViewport(viewport_);
    update();
    return true;
}

void CMiniWindow::tick()
{
    const VesselState& vessel = viewContext_.vessel;
    if (vessel.longitudeMinutes == tickLongitude_ && vessel.latitudeMinutes == tickLatitude_) return;
    tickLongitude_ = vessel.longitudeMinutes;
    tickLatitude_ = vessel.latitudeMinutes;
    const Viewport& shown = picture_.renderer().hasPicture() ? picture_.renderer().viewport() : viewport_;
    const auto pixel = VesselMark::pixelFor(shown, vessel.longitudeMinutes, vessel.latitudeMinutes);
    if (pixel == markPixel_) return;
    markPixel_ = pixel;
    // The picture is kept; only the marks over it are drawn again.
    update();
}

bool CMiniWindow::event(QEvent* event)
{
    // The window's own keys come before any accelerator of the program.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (miniWindowKeyCode(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CMiniWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    picture_.paint(painter);
    if (mouse_ != MouseState::Dragging) return;
    const QRect band = bandRect();
    if (band.width() <= 0 || band.height() <= 0) return;
    if (painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(band.adjusted(0, 0, -1, -1));
}

void CMiniWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (initialised_ && (width() != viewport_.width() || height() != viewport_.height())) {
        applyClientSize(size());
        if (pendingView_) {
            viewport_.setView(pendingView_->scale, pendingView_->xOffset, pendingView_->yOffset);
            charts_.selectForViewport(viewport_);
        }
    }
    frameMoved();
}

void CMiniWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    frameMoved();
}

void CMiniWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Moves and resizes of a hidden window arrive before it counts as
    // visible; the decoration may be known only once it is mapped.
    frameMoved();
    if (pendingFrame_) settle_.start();
}

void CMiniWindow::keyPressEvent(QKeyEvent* event)
{
    if (const auto code = miniWindowKeyCode(event->key(), event->modifiers())) {
        zoomPan(*code);
        return;
    }
    QWidget::keyPressEvent(event);
}

QRect CMiniWindow::bandRect() const
{
    return QRect(QPoint(std::min(bandStart_.x(), bandEnd_.x()), std::min(bandStart_.y(), bandEnd_.y())),
                 QPoint(std::max(bandStart_.x(), bandEnd_.x()) - 1, std::max(bandStart_.y(), bandEnd_.y()) - 1));
}

void CMiniWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    if (mouse_ != MouseState::None) {
        // The click that activated the window never starts a rubber band.
        mouse_ = MouseState::None;
        update();
        return;
    }
    bandStart_ = bandEnd_ = event->position().toPoint();
    mouse_ = MouseState::Dragging;
}

void CMiniWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (mouse_ == MouseState::Dragging) {
        bandEnd_ = MouseController::aspectEnd(bandStart_, p, size());
        update();
    }
    // The texts cap the magnitudes at the pole and the date line.
    emit cursorPositionChanged(viewport_.latitudeText(p.x(), p.y()), viewport_.longitudeText(p.x(), p.y()));
}

void CMiniWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        rightClick_ = event->position().toPoint();
        return;
    }
    if (event->button() != Qt::LeftButton || mouse_ != MouseState::Dragging) return;
    mouse_ = MouseState::None;
    const QRect band(QPoint(std::min(bandStart_.x(), bandEnd_.x()) - 1, std::min(bandStart_.y(), bandEnd_.y()) - 1),
                     QSize(std::abs(bandEnd_.x() - bandStart_.x()), std::abs(bandEnd_.y() - bandStart_.y())));
    update();
    if (band.width() >= kMinimumRectangle && band.height() >= kMinimumRectangle)
        zoomPan(Viewport::ZoomRectangle, band);
    else
        emit clicked(number_, event->position().toPoint());
}

void CMiniWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    mouse_ = MouseState::None;
    // Twice the magnification, centred on the point.
    const QPoint p = event->position().toPoint();
    const int qw = width() / 4;
    const int qh = height() / 4;
    zoomPan(Viewport::ZoomRectangle, QRect(p.x() - qw, p.y() - qh, 2 * qw, 2 * qh));
}

void CMiniWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        rightClick_ = event->pos();
        menu_->popup(event->globalPos());
    } else {
        menu_->popup(mapToGlobal(QPoint(5, 5)));
    }
}

void CMiniWindow::menuCommand(CommandId id)
{
    if (id == CommandId::PointInfo)
        emit buoyInfoRequested(number_, rightClick_);
    else if (const int code = zoomPanCode(id))
        zoomPan(code);
}

void CMiniWindow::closeEvent(QCloseEvent* event)
{
    // Quitting closes every window; refusing would cancel the quit, and the
    // window must keep its shown number for CHART.CFG.
    if (closingDown_) {
        timer_.stop();
        event->accept();
        return;
    }
    // Closing never destroys the window: it is hidden and keeps its state.
    event->ignore();
    emit closeRequested(number_);
}

void CMiniWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        mouse_ = MouseState::JustActivated;
        if (!isActiveWindow()) emit deactivated(number_);
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // The minimise box closes the window; its record keeps the normal
        // rectangle, so it first comes back from the minimised state.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        emit closeRequested(number_);
    }
}

} // namespace kesmar
