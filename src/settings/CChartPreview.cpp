#include "settings/CChartPreview.h"

#include "chartdata/ChartEntry.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/DrawOptions.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kesmar {

CChartPreview::CChartPreview(int id, QString programFolder, LineFileCache* files,
                             std::function<ColourTable()> colours, QWidget* parent)
    : QWidget(parent), folder_(std::move(programFolder)), files_(files), colours_(std::move(colours))
{
    setObjectName(QString::number(id));
    setAttribute(Qt::WA_OpaquePaintEvent);
    messageSink_ = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Kesmar"), text); };
}

void CChartPreview::report(const QString& message)
{
    // Once per message and opening: a box raised from a paint would be
    // covered and repainted over and over.
    if (reported_.contains(message)) return;
    reported_.insert(message);
    // Not from inside the paint: the box runs an event loop of its own.
    QMetaObject::invokeMethod(this, [this, message] { messageSink_(message); }, Qt::QueuedConnection);
}

void CChartPreview::initialise()
{
    viewport_ = Viewport();
    viewport_.startUp(PixelRect{0, 0, std::max(1, width()), std::max(1, height())});
    fitToChart();
}

bool CChartPreview::fitToChart()
{
    if (chartName_.isEmpty()) {
        viewport_.setView(viewport_.worldScale(), 0.0, 0.0);
        return true;
    }
    const std::optional<ChartHeader> h = ChartHeader::readFile(ChartHeader::pathFor(folder_, chartName_));
    if (!h) {
        messageSink_(QStringLiteral("OPEN ERROR CHART HEADER\\%1.HDR").arg(chartName_));
        return false;
    }
    const double wm = std::fabs(double(h->xMin) - double(h->xMax)) * 0.001;
    const double hm = std::fabs(double(h->yMin) - double(h->yMax)) * 0.001;
    const double xOffset = -(h->xMin * 0.001 + 0.5 * wm);
    const double yOffset = -(h->yMin * 0.001 + 0.5 * hm);
    double scale = 2.0 * hm <= wm ? wm / viewport_.width() : hm / viewport_.height() / Viewport::kYFactor;
    if (!(scale > 0.0)) scale = Viewport::kMinimumScale;
    viewport_.setView(scale, xOffset, yOffset);
    return true;
}

void CChartPreview::zoomTo(int left, int right, int top, int bottom)
{
    const double xOffset = viewport_.xOffset() + (viewport_.centreX() - (left + 0.5 * (right - left))) * viewport_.scaleX();
    const double yOffset = viewport_.yOffset() + (viewport_.centreY() - (top + 0.5 * (bottom - top))) * viewport_.scaleY();
    const double scale = (right - left) * viewport_.scale() / viewport_.width();
    viewport_.setView(std::max(scale, Viewport::kMinimumScale), xOffset, yOffset);
    emit zoomed();
    update();
}

void CChartPreview::showWholeWorld()
{
    viewport_.setView(viewport_.worldScale(), 0.0, 0.0);
    emit zoomed();
    update();
}

void CChartPreview::setOutline(std::optional<QRect> outline)
{
    outline_ = outline;
    update();
}

QRect CChartPreview::outlineOf(const ChartHeader& header) const
{
    auto px = [this](int32_t x) {
        const double v = std::trunc((x * 0.001 + viewport_.xOffset()) / viewport_.scaleX()) + viewport_.centreX();
        return int(std::clamp(v, 0.0, double(width())));
    };
    auto py = [this](int32_t y) {
        const double v = std::trunc((y * 0.001 + viewport_.yOffset()) / viewport_.scaleY()) + viewport_.centreY();
        return int(std::clamp(v, 0.0, double(height())));
    };
    return QRect(QPoint(px(header.xMin), py(header.yMin)), QPoint(px(header.xMax), py(header.yMax)));
}

QImage CChartPreview::render()
{
    QImage image(size(), QImage::Format_RGB32);
    const ColourTable colours = colours_();
    image.fill(colours.colour(ColourTable::kBackground));
    QPainter p(&image);
    if (!chartName_.isEmpty()) {
        const QString path = ChartHeader::pathFor(folder_, chartName_);
        if (const std::optional<ChartHeader> h = ChartHeader::readFile(path)) {
            ChartEntry entry;
            entry.header = *h;
            entry.name = chartName_;
            entry.visibleBox = h->box();
            entry.flags = ChartEntry::Visible;
            DrawOptions options;
            options.colours = colours;
            options.detailFlags = 0xFFFFFFFF;
            options.charts = std::span<const ChartEntry>(&entry, 1);
            options.programFolder = folder_;
            options.files = files_;
            ChartPainter painter;
            const PaintResult result = painter.paint(p, viewport_, options);
            for (const PaintResult::OpenError& e : result.openErrors) report(e.message());
        } else {
            report(QStringLiteral("OPEN ERROR CHARTDATA\\%1.HDR").arg(chartName_));
        }
    }
    if (outline_) {
        const QRect r = *outline_;
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(Qt::white);
        p.drawRect(r);
        const int cx = (r.left() + r.right()) / 2;
        const int cy = (r.top() + r.bottom()) / 2;
        p.drawLine(cx, 0, cx, height());
        p.drawLine(0, cy, width(), cy);
    }
    return image;
}

QRect CChartPreview::band() const
{
    return QRect(bandStart_, bandEnd_).normalized();
}

void CChartPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!busy_ || picture_.size() != size()) picture_ = render();
    p.drawImage(0, 0, picture_);
    if (busy_) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(band());
    }
}

void CChartPreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    bandStart_ = bandEnd_ = event->position().toPoint();
    busy_ = true;
    update();
}

void CChartPreview::follow(QPoint at)
{
    // The band keeps the preview's aspect: its height follows from its width.
    const int dy = std::abs(height() * (bandStart_.x() - at.x()) / std::max(1, width()));
    bandEnd_ = QPoint(at.x(), at.y() >= bandStart_.y() ? bandStart_.y() + dy : bandStart_.y() - dy);
}

void CChartPreview::mouseMoveEvent(QMouseEvent* event)
{
    if (!busy_) return;
    follow(event->position().toPoint());
    update();
}

void CChartPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (!busy_ || event->button() != Qt::LeftButton) return;
    follow(event->position().toPoint());
    busy_ = false;
    const QRect r = band().translated(-1, -1);
    const int w = std::abs(bandEnd_.x() - bandStart_.x());
    const int h = std::abs(bandEnd_.y() - bandStart_.y());
    if (w >= kMinBand && h >= kMinBand)
        zoomTo(r.left(), r.left() + w, r.top(), r.top() + h);
    else
        update();
}

} // namespace kesmar
