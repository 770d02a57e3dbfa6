#pragma once
#include "core/RouteLine.h"

#include <QPointF>
#include <QString>
#include <span>
#include <vector>

namespace kesmar {

// Length and direction of one measured segment.
struct SegmentMeasure {
    double kilometres = 0.0;
    double bearingDegrees = 0.0; // 0 north, 90 east, 180 south, 270 west
};

// Distance and bearing measuring with the mouse, and the route help line
// that the same gesture builds. Positions are Viewport minutes of arc
// (x = longitude east positive, y = negated latitude), so the fixed points
// stay on their places when the chart is panned or zoomed mid-measurement.
// The widget side converts pixels and draws; this class holds the rules.
class Measurement {
public:
    enum class State { Off = 0, Armed = 1, InProgress = 2 };
    enum class RouteMode { Plain = 0, NewRoute = 1, AppendRoute = 2 };

    static constexpr double kKmToNauticalMiles = 0.538986804322997;

    // nauticalMiles: the `mile` setting is nonzero.
    explicit Measurement(bool nauticalMiles = true) : nautical_(nauticalMiles) {}

    // Command "Messen": arms measuring or switches it off.
    void toggleMeasuring();
    // Command "Neue Route": clears the route and arms, or switches off.
    void newRoute(RouteLine& route);
    // Command "Route anhängen": arms, continuing from the route's last point
    // when the route has more than one point; or switches off.
    void appendRoute(const RouteLine& route);

    // A left click while measuring is not off: fixes the segment that ends
    // at `position` and starts the next one there.
    void click(QPointF position);
    // Mouse move while in progress: the rubber band now ends at `position`.
    // Returns the status text, empty when not in progress.
    QString moveTo(QPointF position);
    // The context-menu request ends a measurement in progress. In a route
    // mode the fixed points go to the route (up to its limit). Returns true
    // when the route changed.
    bool end(RouteLine& route);

    State state() const { return state_; }
    RouteMode routeMode() const { return routeMode_; }
    bool measuringChecked() const { return state_ != State::Off && routeMode_ == RouteMode::Plain; }
    bool newRouteChecked() const { return routeMode_ == RouteMode::NewRoute; }
    bool appendRouteChecked() const { return routeMode_ == RouteMode::AppendRoute; }

    // Fixed points of the current measurement, in click order.
    std::span<const QPointF> fixedPoints() const { return fixed_; }
    // The rubber band runs from the last fixed point to the mouse. It stays
    // shown after a plain measurement ends, until the next one starts.
    QPointF bandStart() const { return bandStart_; }
    QPointF bandEnd() const { return bandEnd_; }
    bool bandShown() const { return bandShown_; }
    // Takes a leftover rubber band away (the chart under it moved).
    void hideBand() { bandShown_ = bandShown_ && state_ == State::InProgress; }
    double totalKilometres() const { return totalKm_; }
    bool nauticalMiles() const { return nautical_; }

    // The distance and bearing rule on the plane of minutes (bearing without
    // cosine correction, distance with the cosine of the end latitude).
    static SegmentMeasure measure(QPointF from, QPointF to);
    // "%9.3f%cM / %6.2f°  SUMME: %9.3f%cM" in the chosen unit.
    static QString statusText(const SegmentMeasure& segment, double totalKm, bool nauticalMiles);
    // Minutes to ChartPoint, truncating toward zero.
    static ChartPoint toChartPoint(QPointF position);

private:
    void startAt(QPointF position);
    void fixSegment();

    bool nautical_;
    State state_ = State::Off;
    RouteMode routeMode_ = RouteMode::Plain;
    std::vector<QPointF> fixed_;
    QPointF bandStart_;
    QPointF bandEnd_;
    bool bandShown_ = false;
    double totalKm_ = 0.0;
};

} // namespace kesmar
