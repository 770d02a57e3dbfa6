#pragma once
#include "chartdata/PaintResult.h"
#include "core/ChartPoint.h"
#include "view/ChartPictureRenderer.h"
#include "view/ChartSnapshot.h"
#include "view/ChartViewContext.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QWidget;

namespace kesmar {

class RouteLine;
class SymbolLibrary;

// The chart view's picture: asks the picture thread for a new picture
// whenever what the view shows has changed (position, size, charts, colours,
// details), shows the last completed one, and draws the vessel mark, the
// point-information crosshair and the route line over it with the viewport
// that picture was drawn for. Open errors found while drawing mark the
// catalogue and are shown once.
class ChartPicture : public QObject {
    Q_OBJECT
public:
    ChartPicture(const ChartViewContext& context, QWidget& view);

    // From the view's paintEvent.
    void paint(QPainter& painter);

    // The selected buoyage point, or none.
    void setCrosshair(std::optional<ChartPoint> point);
    // The route help line to draw (owned by the caller), or nullptr.
    void setRoute(const RouteLine* route);
    std::optional<ChartPoint> crosshair() const { return crosshair_; }
    const RouteLine* route() const { return route_; }

    // The buoyage drawing for the following pictures (see ChartSnapshot::drawPoints).
    void setPointsPainter(std::function<void(QPainter&, const Viewport&)> painter);
    // The symbol library the buoyage is drawn with (loaded at start-up);
    // the following pictures draw the points of the charts.
    void setSymbols(std::shared_ptr<const SymbolLibrary> symbols);
    const std::shared_ptr<const SymbolLibrary>& symbols() const { return symbols_; }
    // The buoyage drawing of the pictures, also for the printed page.
    const DrawOptions::PointsHook& buoyage() const { return buoyage_; }
    // Drawn over each picture under the vessel mark (AIS targets, track), on
    // the GUI thread with the viewport the picture was drawn for; also used
    // for the printed page.
    void setOverlayPainter(std::function<void(QPainter&, const Viewport&)> painter);
    const std::function<void(QPainter&, const Viewport&)>& overlayPainter() const { return overlayPainter_; }
    // Forces a new picture at the next paint although nothing the snapshot
    // compares has changed (symbols loaded, point details switched).
    void invalidate();

    // Sets LinFailed / WpnFailed in the catalogue and shows the message of each
    // chart whose flag was not set yet: once per chart and load.
    void applyOpenErrors(const std::vector<PaintResult::OpenError>& errors);
    // Where messages go; by default a message box captioned "Kesmar".
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }

    ChartPictureRenderer& renderer() { return renderer_; }
    // Captures the current state and requests a picture if it differs from
    // the last request. Returns true when a request was made.
    bool refresh();

private:
    void drawMarks(QPainter& painter, const Viewport& viewport);

    ChartViewContext context_;
    QWidget& view_;
    ChartPictureRenderer renderer_;
    std::optional<ChartSnapshot> requested_;
    std::optional<ChartPoint> crosshair_;
    const RouteLine* route_ = nullptr;
    std::vector<QPoint> routeBuffer_;
    std::function<void(const QString&)> messageSink_;
    std::function<void(QPainter&, const Viewport&)> pointsPainter_;
    std::function<void(QPainter&, const Viewport&)> overlayPainter_;
    std::shared_ptr<const SymbolLibrary> symbols_;
    DrawOptions::PointsHook buoyage_;
};

} // namespace kesmar
