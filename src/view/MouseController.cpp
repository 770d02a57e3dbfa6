#include "view/MouseController.h"

#include "core/Measurement.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "view/InteractionOverlay.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kesmar {

MouseController::MouseController(QWidget& view, Viewport& viewport, Measurement& measurement, RouteLine& route)
    : QObject(&view)
    , view_(view)
    , viewport_(viewport)
    , measurement_(measurement)
    , route_(route)
    , overlay_(new InteractionOverlay(*this, view))
{
    view_.setMouseTracking(true);
    view_.installEventFilter(this);
}

MouseController::~MouseController() = default;

QPoint MouseController::aspectEnd(const QPoint& start, const QPoint& mouse, const QSize& size)
{
    if (size.width() <= 0)
        return mouse;
    const int dx = start.x() - mouse.x();
    const int dy = start.y() - mouse.y();
    // Integer division truncating toward zero, as the height follows the width.
    const int d = static_cast<int>(static_cast<int64_t>(dx) * size.height() / size.width());
    const bool sameSign = (dx < 0) == (dy < 0);
    return {mouse.x(), sameSign ? start.y() - d : start.y() + d};
}

bool MouseController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &view_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint p = e->position().toPoint();
        if (e->button() == Qt::LeftButton)
            leftPress(p);
        else if (e->button() == Qt::RightButton)
            rightPress(p);
        else if (e->button() == Qt::MiddleButton) {
            panning_ = true;
            panStart_ = p;
            panXOffset_ = viewport_.xOffset();
            panYOffset_ = viewport_.yOffset();
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            leftRelease();
        else if (e->button() == Qt::RightButton)
            rightRelease(e->position().toPoint(), e->globalPosition().toPoint());
        else if (e->button() == Qt::MiddleButton)
            panning_ = false;
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton)
            doubleClick(e->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        move(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::Wheel:
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    case QEvent::ContextMenu:
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::WindowActivate:
        setJustActivated();
        return false;
    case QEvent::Resize:
        overlay_->setGeometry(view_.rect());
        return false;
    default:
        return false;
    }
}

void MouseController::setJustActivated()
{
    setMode(InteractionMode::JustActivated);
}

void MouseController::setMode(InteractionMode mode)
{
    if (mode_ == InteractionMode::ZoomDrag || mode_ == InteractionMode::MiniWindowDrag)
        endDrag();
    mode_ = mode;
}

void MouseController::leftPress(const QPoint& p)
{
    dragStart_ = dragEnd_ = p;
    if (mode_ != InteractionMode::Normal) {
        // The click that activated the window, or a button change mid-drag.
        if (mode_ != InteractionMode::JustActivated)
            endDrag();
        mode_ = InteractionMode::Normal;
        return;
    }
    if (measurement_.state() != Measurement::State::Off) {
        const MinutePoint at = viewport_.unproject(p.x(), p.y());
        measurement_.click(QPointF(at.x, at.y));
        bandEndPixel_ = p;
        refreshOverlay();
        return;
    }
    mode_ = InteractionMode::ZoomDrag;
}

void MouseController::leftRelease()
{
    if (mode_ != InteractionMode::ZoomDrag) {
        mode_ = InteractionMode::Normal;
        return;
    }
    const QRect r = dragRect();
    endDrag();
    if (r.width() < kMinimumRectangle || r.height() < kMinimumRectangle)
        return;
    if (viewport_.ZoomPan(r.left(), r.left() + r.width(), r.top(), r.top() + r.height(), Viewport::ZoomRectangle))
        changed();
}

void MouseController::rightPress(const QPoint& p)
{
    dragStart_ = dragEnd_ = p;
    if (measurement_.state() == Measurement::State::Off && mode_ == InteractionMode::Normal) {
        mode_ = InteractionMode::MiniWindowDrag;
        return;
    }
    if (mode_ == InteractionMode::ZoomDrag)
        endDrag();
    mode_ = InteractionMode::Normal;
}

void MouseController::rightRelease(const QPoint& p, const QPoint& globalPos)
{
    if (mode_ == InteractionMode::MiniWindowDrag) {
        const QRect r = dragRect();
        endDrag();
        const bool bigEnough = r.width() >= kMinimumRectangle && r.height() >= kMinimumRectangle;
        if (bigEnough && miniWindow_ && miniWindow_(r))
            return;
    }
    if (mode_ == InteractionMode::ZoomDrag)
        endDrag();
    mode_ = InteractionMode::Normal;
    lastRightClick_ = p;
    requestContextMenu(globalPos);
}

void MouseController::move(const QPoint& p)
{
    const QRect before = marksBounds();
    QPoint shown = p;
    if (mode_ == InteractionMode::ZoomDrag || mode_ == InteractionMode::MiniWindowDrag) {
        dragEnd_ = mode_ == InteractionMode::MiniWindowDrag ? p : aspectEnd(dragStart_, p, view_.size());
        shown = dragEnd_;
    } else {
        mode_ = InteractionMode::Normal;
    }
    if (measurement_.state() == Measurement::State::InProgress) {
        const MinutePoint at = viewport_.unproject(p.x(), p.y());
        bandEndPixel_ = p;
        emit statusMessage(measurement_.moveTo(QPointF(at.x, at.y)));
    }
    updateOverlayArea(before);
    showPosition(shown);
    if (panning_)
        middleDrag(p);
}

void MouseController::middleDrag(const QPoint& p)
{
    // The position grabbed stays under the mouse.
    const double xOffset = panXOffset_ + (p.x() - panStart_.x()) * viewport_.scaleX();
    const double yOffset = panYOffset_ + (p.y() - panStart_.y()) * viewport_.scaleY();
    viewport_.setView(viewport_.scale(), xOffset, yOffset);
    changed();
}

void MouseController::wheel(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    if (steps == 0)
        return;
    wheelRemainder_ -= steps * 120;
    const QPoint p = event->position().toPoint();
    const MinutePoint under = viewport_.unproject(p.x(), p.y());
    double scale = viewport_.scale() * std::pow(kWheelZoomFactor, -steps);
    scale = std::clamp(scale, viewport_.minimumScale(), viewport_.worldScale());
    // Keep the position under the mouse where it is.
    const double xOffset = (p.x() - viewport_.centreX()) * scale - under.x;
    const double yOffset = (p.y() - viewport_.centreY()) * scale * viewport_.yFactor() - under.y;
    viewport_.setView(scale, xOffset, yOffset);
    changed();
}

void MouseController::doubleClick(const QPoint& p)
{
    const int quarterWidth = view_.width() / 4;
    const int quarterHeight = view_.height() / 4;
    emit pickupRequested(QRect(p.x() - quarterWidth, p.y() - quarterHeight, 2 * quarterWidth, 2 * quarterHeight));
}

void MouseController::contextMenuEvent(QContextMenuEvent* event)
{
    // Mouse requests come from the right-button release (some platforms send
    // this event on the press, which would break the rectangle drag).
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    requestContextMenu(view_.mapToGlobal(QPoint(5, 5)));
}

void MouseController::requestContextMenu(const QPoint& globalPos)
{
    if (measurement_.state() == Measurement::State::InProgress) {
        const bool routeGrew = measurement_.end(route_);
        refreshOverlay();
        if (routeGrew) {
            view_.update();
            emit routeChanged();
        }
        emit measuringEnded();
        return;
    }
    if (mode_ != InteractionMode::Normal)
        return;
    emit contextMenuRequested(globalPos);
}

void MouseController::showPosition(const QPoint& p)
{
    emit cursorPositionChanged(viewport_.latitudeText(p.x(), p.y()), viewport_.longitudeText(p.x(), p.y()));
}

QRect MouseController::dragRect() const
{
    const int left = std::min(dragStart_.x(), dragEnd_.x());
    const int right = std::max(dragStart_.x(), dragEnd_.x());
    const int top = std::min(dragStart_.y(), dragEnd_.y());
    const int bottom = std::max(dragStart_.y(), dragEnd_.y());
    return QRect(left, top, right - left, bottom - top);
}

void MouseController::endDrag()
{
    const QRect before = marksBounds();
    mode_ = InteractionMode::Normal;
    updateOverlayArea(before);
}

void MouseController::changed()
{
    measurement_.hideBand();
    if (viewportChanged_)
        viewportChanged_();
    else
        view_.update();
    // The fixed segments are stored as positions and move with the chart.
    overlay_->update();
}

void MouseController::refreshOverlay()
{
    view_.setCursor(measurement_.state() == Measurement::State::Off ? Qt::ArrowCursor : Qt::CrossCursor);
    overlay_->update();
}

QRect MouseController::marksBounds() const
{
    QRect bounds;
    if (mode_ == InteractionMode::ZoomDrag || mode_ == InteractionMode::MiniWindowDrag)
        bounds = dragRect();
    if (measurement_.bandShown()) {
        const QPointF s = measurement_.bandStart();
        bounds |= QRect(viewport_.project(s.x(), s.y()), bandEndPixel_).normalized();
    }
    return bounds;
}

void MouseController::updateOverlayArea(const QRect& before)
{
    const QRect area = before | marksBounds();
    if (!area.isNull())
        overlay_->update(area.adjusted(-2, -2, 2, 2));
}

void MouseController::paintOverlay(QPainter& painter) const
{
    // Inverting the picture keeps the marks visible on every chart colour.
    if (painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::white, 0));
    const auto toPixel = [this](const QPointF& minutes) {
        const QPoint p = viewport_.project(minutes.x(), minutes.y());
        return QPoint(viewport_.clampToFarLimit(p.x()), viewport_.clampToFarLimit(p.y()));
    };
    const auto fixed = measurement_.fixedPoints();
    if (measurement_.state() == Measurement::State::InProgress && fixed.size() >= 2) {
        QPolygon line;
        for (const QPointF& point : fixed)
            line << toPixel(point);
        painter.drawPolyline(line);
    }
    if (measurement_.bandShown())
        painter.drawLine(toPixel(measurement_.bandStart()), bandEndPixel_);
    if (mode_ == InteractionMode::ZoomDrag || mode_ == InteractionMode::MiniWindowDrag) {
        const QRect r = dragRect();
        if (r.width() > 0 && r.height() > 0) {
            painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

} // namespace kesmar
