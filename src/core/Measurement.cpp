#include "core/Measurement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kesmar {

namespace {

constexpr double kEarthRadiusKm = 6378.165;
constexpr double kMinutesToRadians = (1.0 / 60.0) * 0.017453292519893297;
constexpr double kRadiansToDegrees = 57.295779513246465;

int32_t truncatedThousandths(double minutes)
{
    const double value = std::trunc(minutes * 1000.0);
    return static_cast<int32_t>(std::clamp(value, -2147483648.0, 2147483647.0));
}

} // namespace

void Measurement::toggleMeasuring()
{
    state_ = state_ == State::Off ? State::Armed : State::Off;
    if (state_ == State::Off)
        bandShown_ = false;
}

void Measurement::newRoute(RouteLine& route)
{
    routeMode_ = RouteMode::Plain;
    if (state_ != State::Off) {
        state_ = State::Off;
        bandShown_ = false;
        return;
    }
    route.clear();
    routeMode_ = RouteMode::NewRoute;
    state_ = State::Armed;
}

void Measurement::appendRoute(const RouteLine& route)
{
    routeMode_ = RouteMode::Plain;
    if (state_ != State::Off) {
        state_ = State::Off;
        bandShown_ = false;
        return;
    }
    routeMode_ = RouteMode::AppendRoute;
    state_ = State::Armed;
    if (route.size() > 1) {
        // Continue exactly at the old end: the route receives that point twice.
        const ChartPoint last = route.last();
        const QPointF start(last.x * 0.001, last.y * 0.001);
        state_ = State::InProgress;
        fixed_.clear();
        startAt(start);
        fixSegment();
        fixed_.push_back(start);
    }
}

void Measurement::click(QPointF position)
{
    if (state_ == State::Off)
        return;
    if (state_ != State::InProgress) {
        state_ = State::InProgress;
        fixed_.clear();
        startAt(position);
    } else {
        // The segment ends where the click is, even without a move event there.
        bandEnd_ = position;
    }
    fixSegment();
    fixed_.push_back(position);
    bandStart_ = position;
}

QString Measurement::moveTo(QPointF position)
{
    if (state_ != State::InProgress)
        return {};
    bandEnd_ = position;
    bandShown_ = true;
    return statusText(measure(bandStart_, bandEnd_), totalKm_, nautical_);
}

bool Measurement::end(RouteLine& route)
{
    if (state_ != State::InProgress)
        return false;
    bool routeChanged = false;
    if (routeMode_ != RouteMode::Plain) {
        for (const QPointF& point : fixed_) {
            if (!route.append(toChartPoint(point)))
                break;
        }
        routeChanged = true;
        routeMode_ = RouteMode::Plain;
        // The repaint that shows the route also takes the rubber band away.
        bandShown_ = false;
    }
    fixed_.clear();
    state_ = State::Off;
    return routeChanged;
}

void Measurement::startAt(QPointF position)
{
    bandShown_ = false;
    totalKm_ = 0.0;
    bandStart_ = position;
    bandEnd_ = position;
}

void Measurement::fixSegment()
{
    bandShown_ = false;
    totalKm_ += measure(bandStart_, bandEnd_).kilometres;
}

SegmentMeasure Measurement::measure(QPointF from, QPointF to)
{
    // West-positive longitudes and north-positive latitudes, in minutes.
    const double aA = -from.x();
    const double aB = -to.x();
    const double phiA = -from.y();
    const double phiB = -to.y();
    if (aA == aB && phiA == phiB)
        return {};

    // The small offsets keep atan2 away from (0, 0) and make a segment
    // straight up the screen read 0 rather than 360.
    double bearing = 180.0 - std::atan2(aA - aB + 0.0001, phiA - phiB + 0.0001) * kRadiansToDegrees;
    if (bearing >= 359.99)
        bearing = 0.0;

    const double dPhi = (phiB - phiA) * kMinutesToRadians;
    const double dA = std::cos(phiB * kMinutesToRadians) * (aB - aA) * kMinutesToRadians;
    return {kEarthRadiusKm * std::sqrt(dPhi * dPhi + dA * dA), bearing};
}

QString Measurement::statusText(const SegmentMeasure& segment, double totalKm, bool nauticalMiles)
{
    const double factor = nauticalMiles ? kKmToNauticalMiles : 1.0;
    const double distance = segment.kilometres * factor;
    const int unit = nauticalMiles ? 'N' : 'K';
    return QString::asprintf("%9.3f%cM / %6.2f°  SUMME: %9.3f%cM", distance, unit,
                             segment.bearingDegrees, totalKm * factor + distance, unit);
}

ChartPoint Measurement::toChartPoint(QPointF position)
{
    return {truncatedThousandths(position.y()), truncatedThousandths(position.x())};
}

} // namespace kesmar
