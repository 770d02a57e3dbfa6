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
    , m_view(view)
    , m_viewport(viewport)
    , m_measurement(measurement)
    , m_route(route)
    , m_overlay(new InteractionOverlay(*this, view))
{
    m_view.setMouseTracking(true);
    m_view.installEventFilter(this);
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
    if (watched != &m_view)
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
            m_panning = true;
            m_panStart = p;
            m_panXOffset = m_viewport.xOffset();
            m_panYOffset = m_viewport.yOffset();
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
            m_panning = false;
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
        m_overlay->setGeometry(m_view.rect());
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
    if (m_mode == InteractionMode::ZoomDrag || m_mode == InteractionMode::MiniWindowDrag)
        endDrag();
    m_mode = mode;
}

void MouseController::leftPress(const QPoint& p)
{
    m_dragStart = m_dragEnd = p;
    if (m_mode != InteractionMode::Normal) {
        // The click that activated the window, or a button change mid-drag.
        if (m_mode != InteractionMode::JustActivated)
            endDrag();
        m_mode = InteractionMode::Normal;
        return;
    }
    if (m_measurement.state() != Measurement::State::Off) {
        const MinutePoint at = m_viewport.unproject(p.x(), p.y());
        m_measurement.click(QPointF(at.x, at.y));
        m_bandEndPixel = p;
        refreshOverlay();
        return;
    }
    m_mode = InteractionMode::ZoomDrag;
}

void MouseController::leftRelease()
{
    if (m_mode != InteractionMode::ZoomDrag) {
        m_mode = InteractionMode::Normal;
        return;
    }
    const QRect r = dragRect();
    endDrag();
    if (r.width() < kMinimumRectangle || r.height() < kMinimumRectangle)
        return;
    if (m_viewport.ZoomPan(r.left(), r.left() + r.width(), r.top(), r.top() + r.height(), Viewport::ZoomRectangle))
        changed();
}

void MouseController::rightPress(const QPoint& p)
{
    m_dragStart = m_dragEnd = p;
    if (m_measurement.state() == Measurement::State::Off && m_mode == InteractionMode::Normal) {
        m_mode = InteractionMode::MiniWindowDrag;
        return;
    }
    if (m_mode == InteractionMode::ZoomDrag)
        endDrag();
    m_mode = InteractionMode::Normal;
}

void MouseController::rightRelease(const QPoint& p, const QPoint& globalPos)
{
    if (m_mode == InteractionMode::MiniWindowDrag) {
        const QRect r = dragRect();
        endDrag();
        const bool bigEnough = r.width() >= kMinimumRectangle && r.height() >= kMinimumRectangle;
        if (bigEnough && m_miniWindow && m_miniWindow(r))
            return;
    }
    if (m_mode == InteractionMode::ZoomDrag)
        endDrag();
    m_mode = InteractionMode::Normal;
    m_lastRightClick = p;
    requestContextMenu(globalPos);
}

void MouseController::move(const QPoint& p)
{
    const QRect before = marksBounds();
    QPoint shown = p;
    if (m_mode == InteractionMode::ZoomDrag || m_mode == InteractionMode::MiniWindowDrag) {
        m_dragEnd = m_mode == InteractionMode::MiniWindowDrag ? p : aspectEnd(m_dragStart, p, m_view.size());
        shown = m_dragEnd;
    } else {
        m_mode = InteractionMode::Normal;
    }
    if (m_measurement.state() == Measurement::State::InProgress) {
        const MinutePoint at = m_viewport.unproject(p.x(), p.y());
        m_bandEndPixel = p;
        emit statusMessage(m_measurement.moveTo(QPointF(at.x, at.y)));
    }
    updateOverlayArea(before);
    showPosition(shown);
    if (m_panning)
        middleDrag(p);
}

void MouseController::middleDrag(const QPoint& p)
{
    // The position grabbed stays under the mouse.
    const double xOffset = m_panXOffset + (p.x() - m_panStart.x()) * m_viewport.scaleX();
    const double yOffset = m_panYOffset + (p.y() - m_panStart.y()) * m_viewport.scaleY();
    m_viewport.setView(m_viewport.scale(), xOffset, yOffset);
    changed();
}

void MouseController::wheel(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / 120;
    if (steps == 0)
        return;
    m_wheelRemainder -= steps * 120;
    const QPoint p = event->position().toPoint();
    const MinutePoint under = m_viewport.unproject(p.x(), p.y());
    double scale = m_viewport.scale() * std::pow(kWheelZoomFactor, -steps);
    scale = std::clamp(scale, m_viewport.minimumScale(), m_viewport.worldScale());
    // Keep the position under the mouse where it is.
    const double xOffset = (p.x() - m_viewport.centreX()) * scale - under.x;
    const double yOffset = (p.y() - m_viewport.centreY()) * scale * m_viewport.yFactor() - under.y;
    m_viewport.setView(scale, xOffset, yOffset);
    changed();
}

void MouseController::doubleClick(const QPoint& p)
{
    const int quarterWidth = m_view.width() / 4;
    const int quarterHeight = m_view.height() / 4;
    emit pickupRequested(QRect(p.x() - quarterWidth, p.y() - quarterHeight, 2 * quarterWidth, 2 * quarterHeight));
}

void MouseController::contextMenuEvent(QContextMenuEvent* event)
{
    // Mouse requests come from the right-button release (some platforms send
    // this event on the press, which would break the rectangle drag).
    if (event->reason() == QContextMenuEvent::Mouse)
        return;
    requestContextMenu(m_view.mapToGlobal(QPoint(5, 5)));
}

void MouseController::requestContextMenu(const QPoint& globalPos)
{
    if (m_measurement.state() == Measurement::State::InProgress) {
        const bool routeGrew = m_measurement.end(m_route);
        refreshOverlay();
        if (routeGrew) {
            m_view.update();
            emit routeChanged();
        }
        emit measuringEnded();
        return;
    }
    if (m_mode != InteractionMode::Normal)
        return;
    emit contextMenuRequested(globalPos);
}

void MouseController::showPosition(const QPoint& p)
{
    emit cursorPositionChanged(m_viewport.latitudeText(p.x(), p.y()), m_viewport.longitudeText(p.x(), p.y()));
}

QRect MouseController::dragRect() const
{
    const int left = std::min(m_dragStart.x(), m_dragEnd.x());
    const int right = std::max(m_dragStart.x(), m_dragEnd.x());
    const int top = std::min(m_dragStart.y(), m_dragEnd.y());
    const int bottom = std::max(m_dragStart.y(), m_dragEnd.y());
    return QRect(left, top, right - left, bottom - top);
}

void MouseController::endDrag()
{
    const QRect before = marksBounds();
    m_mode = InteractionMode::Normal;
    updateOverlayArea(before);
}

void MouseController::changed()
{
    m_measurement.hideBand();
    if (m_viewportChanged)
        m_viewportChanged();
    else
        m_view.update();
    // The fixed segments are stored as positions and move with the chart.
    m_overlay->update();
}

void MouseController::refreshOverlay()
{
    m_view.setCursor(m_measurement.state() == Measurement::State::Off ? Qt::ArrowCursor : Qt::CrossCursor);
    m_overlay->update();
}

QRect MouseController::marksBounds() const
{
    QRect bounds;
    if (m_mode == InteractionMode::ZoomDrag || m_mode == InteractionMode::MiniWindowDrag)
        bounds = dragRect();
    if (m_measurement.bandShown()) {
        const QPointF s = m_measurement.bandStart();
        bounds |= QRect(m_viewport.project(s.x(), s.y()), m_bandEndPixel).normalized();
    }
    return bounds;
}

void MouseController::updateOverlayArea(const QRect& before)
{
    const QRect area = before | marksBounds();
    if (!area.isNull())
        m_overlay->update(area.adjusted(-2, -2, 2, 2));
}

void MouseController::paintOverlay(QPainter& painter) const
{
    // Inverting the picture keeps the marks visible on every chart colour.
    if (painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::white, 0));
    const auto toPixel = [this](const QPointF& minutes) {
        const QPoint p = m_viewport.project(minutes.x(), minutes.y());
        return QPoint(m_viewport.clampToFarLimit(p.x()), m_viewport.clampToFarLimit(p.y()));
    };
    const auto fixed = m_measurement.fixedPoints();
    if (m_measurement.state() == Measurement::State::InProgress && fixed.size() >= 2) {
        QPolygon line;
        for (const QPointF& point : fixed)
            line << toPixel(point);
        painter.drawPolyline(line);
    }
    if (m_measurement.bandShown())
        painter.drawLine(toPixel(m_measurement.bandStart()), m_bandEndPixel);
    if (m_mode == InteractionMode::ZoomDrag || m_mode == InteractionMode::MiniWindowDrag) {
        const QRect r = dragRect();
        if (r.width() > 0 && r.height() > 0) {
            painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

} // namespace kesmar
