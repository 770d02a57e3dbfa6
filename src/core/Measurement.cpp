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
    m_state = m_state == State::Off ? State::Armed : State::Off;
    if (m_state == State::Off)
        m_bandShown = false;
}

void Measurement::newRoute(RouteLine& route)
{
    m_routeMode = RouteMode::Plain;
    if (m_state != State::Off) {
        m_state = State::Off;
        m_bandShown = false;
        return;
    }
    route.clear();
    m_routeMode = RouteMode::NewRoute;
    m_state = State::Armed;
}

void Measurement::appendRoute(const RouteLine& route)
{
    m_routeMode = RouteMode::Plain;
    if (m_state != State::Off) {
        m_state = State::Off;
        m_bandShown = false;
        return;
    }
    m_routeMode = RouteMode::AppendRoute;
    m_state = State::Armed;
    if (route.size() > 1) {
        // Continue exactly at the old end: the route receives that point twice.
        const ChartPoint last = route.last();
        const QPointF start(last.x * 0.001, last.y * 0.001);
        m_state = State::InProgress;
        m_fixed.clear();
        startAt(start);
        fixSegment();
        m_fixed.push_back(start);
    }
}

void Measurement::click(QPointF position)
{
    if (m_state == State::Off)
        return;
    if (m_state != State::InProgress) {
        m_state = State::InProgress;
        m_fixed.clear();
        startAt(position);
    } else {
        // The segment ends where the click is, even without a move event there.
        m_bandEnd = position;
    }
    fixSegment();
    m_fixed.push_back(position);
    m_bandStart = position;
}

QString Measurement::moveTo(QPointF position)
{
    if (m_state != State::InProgress)
        return {};
    m_bandEnd = position;
    m_bandShown = true;
    return statusText(measure(m_bandStart, m_bandEnd), m_totalKm, m_nautical);
}

bool Measurement::end(RouteLine& route)
{
    if (m_state != State::InProgress)
        return false;
    bool routeChanged = false;
    if (m_routeMode != RouteMode::Plain) {
        for (const QPointF& point : m_fixed) {
            if (!route.append(toChartPoint(point)))
                break;
        }
        routeChanged = true;
        m_routeMode = RouteMode::Plain;
        // The repaint that shows the route also takes the rubber band away.
        m_bandShown = false;
    }
    m_fixed.clear();
    m_state = State::Off;
    return routeChanged;
}

void Measurement::startAt(QPointF position)
{
    m_bandShown = false;
    m_totalKm = 0.0;
    m_bandStart = position;
    m_bandEnd = position;
}

void Measurement::fixSegment()
{
    m_bandShown = false;
    m_totalKm += measure(m_bandStart, m_bandEnd).kilometres;
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
