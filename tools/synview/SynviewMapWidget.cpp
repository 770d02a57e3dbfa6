#include "SynviewMapWidget.h"

#include "SynviewScene.h"
#include "view/KeyMap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {
constexpr int kClickSlop = 4;         // pixels a click may move and stay a click
constexpr double kWheelFactor = 1.25; // per wheel notch
} // namespace

SynviewMapWidget::SynviewMapWidget(SynviewScene& scene, QWidget* parent)
    : QWidget(parent)
    , scene_(scene)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void SynviewMapWidget::zoomPan(int code, const QRect& rectangle)
{
    const QRect r = rectangle.normalized();
    if (scene_.zoomPan(code, r.left(), r.left() + r.width(), r.top(), r.top() + r.height())) chartChanged();
}

void SynviewMapWidget::stationsChanged()
{
    update();
}

void SynviewMapWidget::chartChanged()
{
    chartValid_ = false;
    update();
}

void SynviewMapWidget::paintEvent(QPaintEvent*)
{
    if (!chartValid_ || chart_.size() != size()) {
        chart_ = QImage(size(), QImage::Format_RGB32);
        QPainter p(&chart_);
        scene_.paintChart(p);
        chartValid_ = true;
        scene_.setChartPicture(&chart_);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, chart_);
    const int drawn = scene_.paintStations(painter);
    if (!band_.isNull()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band_.normalized());
    }
    emit viewChanged(drawn, scene_.layer().visibleCount());
}

void SynviewMapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() > 0 && height() > 0 && scene_.resize(size())) chartChanged();
}

void SynviewMapWidget::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers();
    if (const auto command = acceleratorCommand(event->key(), modifiers)) {
        if (const int code = zoomPanCode(*command)) {
            zoomPan(code);
            return;
        }
    }
    const int code = zoomPanKeyCode(event->key(), modifiers);
    if (code != 0) {
        zoomPan(code);
        return;
    }
    QWidget::keyPressEvent(event);
}

void SynviewMapWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    pressAt_ = event->position().toPoint();
    band_ = QRect();
}

void SynviewMapWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_) return;
    const QPoint p = event->position().toPoint();
    if ((p - pressAt_).manhattanLength() > kClickSlop) {
        band_ = QRect(pressAt_, p);
        update();
    }
}

void SynviewMapWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!pressed_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    const QRect band = band_.normalized();
    band_ = QRect();
    if (band.width() > kClickSlop && band.height() > kClickSlop) {
        zoomPan(Viewport::ZoomRectangle, band);
        return;
    }
    update();
    const int hit = scene_.layer().hitTest(event->position());
    if (hit >= 0) emit stationClicked(hit);
}

void SynviewMapWidget::wheelEvent(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    if (steps == 0) return;
    wheelRemainder_ -= steps * 120;
    const Viewport& v = scene_.viewport();
    const QPoint p = event->position().toPoint();
    const MinutePoint under = v.unproject(p.x(), p.y());
    const double scale = std::clamp(v.scale() * std::pow(kWheelFactor, -steps), v.minimumScale(), v.worldScale());
    // The position under the mouse stays where it is.
    scene_.setViewMinutes(scale, (p.x() - v.centreX()) * scale - under.x,
                          (p.y() - v.centreY()) * scale * v.yFactor() - under.y);
    chartChanged();
}

} // namespace kesmar
