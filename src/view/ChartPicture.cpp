#include "view/ChartPicture.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartOverlay.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointPainter.h"
#include "chartdata/VesselMark.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"

#include <QMessageBox>
#include <QPainter>
#include <QRegion>
#include <QWidget>

namespace kesmar {

ChartPicture::ChartPicture(const ChartViewContext& context, QWidget& view)
    : context_(context), view_(view)
{
    connect(&renderer_, &ChartPictureRenderer::pictureReady, &view_, qOverload<>(&QWidget::update));
    connect(&renderer_, &ChartPictureRenderer::openErrorsFound, this, &ChartPicture::applyOpenErrors);
    messageSink_ = [this](const QString& text) { QMessageBox::warning(&view_, QStringLiteral("Kesmar"), text); };
}

bool ChartPicture::refresh()
{
    ChartSnapshot now = ChartSnapshot::capture(context_.viewport, context_.catalogue,
                                               context_.config, context_.programFolder);
    now.drawPoints = pointsPainter_;
    now.buoyage = buoyage_;
    if (requested_ && requested_->sameContent(now)) return false;
    if (now.viewport.width() <= 0 || now.viewport.height() <= 0) return false;
    requested_ = now;
    renderer_.request(std::move(now));
    return true;
}

void ChartPicture::paint(QPainter& painter)
{
    refresh();
    const QRegion all(view_.rect());
    QRegion uncovered = all;
    if (renderer_.hasPicture()) {
        painter.drawImage(0, 0, renderer_.image());
        uncovered -= QRegion(renderer_.image().rect());
    }
    // Until the first picture, and beyond a picture that is smaller than the
    // window after a resize: the background colour.
    const QColor background = ChartPainter::activeColours(context_.config, false).colour(ColourTable::kBackground);
    for (const QRect& r : uncovered) painter.fillRect(r, background);
    if (renderer_.hasPicture()) drawMarks(painter, renderer_.viewport());
}

void ChartPicture::drawMarks(QPainter& painter, const Viewport& viewport)
{
    if (overlayPainter_) overlayPainter_(painter, viewport);
    const VesselState& vessel = context_.vessel;
    if (const auto pixel = VesselMark::pixelFor(viewport, vessel.longitudeMinutes, vessel.latitudeMinutes))
        VesselMark::draw(painter, *pixel);
    if (crosshair_) ChartOverlay::drawCrosshair(painter, viewport, *crosshair_);
    if (route_) ChartOverlay::drawRoute(painter, viewport, route_->points(), false, routeBuffer_);
}

void ChartPicture::setPointsPainter(std::function<void(QPainter&, const Viewport&)> painter)
{
    pointsPainter_ = std::move(painter);
    invalidate();
}

void ChartPicture::setSymbols(std::shared_ptr<const SymbolLibrary> symbols)
{
    symbols_ = std::move(symbols);
    buoyage_ = PointPainter::hook(symbols_);
    invalidate();
}

void ChartPicture::setOverlayPainter(std::function<void(QPainter&, const Viewport&)> painter)
{
    overlayPainter_ = std::move(painter);
    view_.update();
}

void ChartPicture::invalidate()
{
    requested_.reset();
    view_.update();
}

void ChartPicture::setCrosshair(std::optional<ChartPoint> point)
{
    crosshair_ = point;
    view_.update();
}

void ChartPicture::setRoute(const RouteLine* route)
{
    route_ = route;
    view_.update();
}

void ChartPicture::applyOpenErrors(const std::vector<PaintResult::OpenError>& errors)
{
    // Flags first: a message box runs the event loop, and pictures arriving
    // meanwhile must not report the same chart again.
    QStringList messages;
    for (const PaintResult::OpenError& e : errors) {
        const int index = context_.catalogue.indexOf(e.chart);
        if (index < 0) continue;
        const uint16_t failed = ChartEntry::LinFailed | ChartEntry::WpnFailed;
        if (context_.catalogue.entry(index).flags & failed) continue;
        context_.catalogue.setFlags(index, e.flag);
        messages << e.message();
    }
    if (messages.isEmpty()) return;
    view_.update();
    for (const QString& m : messages)
        if (messageSink_) messageSink_(m);
}

} // namespace kesmar
