#include "nmea/AisTargetPainter.h"

#include "core/Viewport.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace kesmar {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

const QColor kClassA(0, 140, 0);
const QColor kClassB(0, 120, 200);
const QColor kAid(200, 0, 200);
const QColor kLost(150, 150, 150);
const QColor kWarning(230, 0, 0);

// Screen angle (clockwise from up) of a true direction at a latitude: the
// projection stretches longitude and latitude by different factors.
double screenAngle(const Viewport& v, double latitude, double degrees)
{
    const double a = degrees * kRadiansPerDegree;
    const double east = std::sin(a) / std::max(std::cos(latitude * kRadiansPerDegree), 1e-6) / v.scaleX();
    const double north = std::cos(a) / v.scaleY();
    return std::atan2(east, north) / kRadiansPerDegree;
}

QColor colourFor(const AisTarget& t, bool warning, bool printing)
{
    if (t.lost) return kLost;
    if (warning) return kWarning;
    if (printing) return Qt::black;
    if (t.kind == AisTarget::Kind::AidToNavigation) return kAid;
    return t.kind == AisTarget::Kind::ClassB ? kClassB : kClassA;
}

void drawShip(QPainter& p, const Viewport& v, const AisTarget& t, QPointF at, const QColor& colour, bool printing)
{
    // Class B targets are drawn a little smaller, as their transponders are.
    const double size = t.kind == AisTarget::Kind::ClassB ? 0.8 : 1.0;
    QPen pen(t.lost ? kLost : (printing ? QColor(Qt::black) : colour.darker(160)), 1);
    p.setPen(pen);
    p.setBrush(t.lost ? QBrush(Qt::NoBrush) : QBrush(colour));
    const std::optional<double> direction = t.direction();
    if (!direction) {
        p.drawEllipse(at, 5 * size, 5 * size);
        return;
    }
    // Rotated by hand: a painter transform per target costs more than the triangle.
    const double a = screenAngle(v, *t.latitude, *direction) * kRadiansPerDegree;
    const double c = std::cos(a) * size;
    const double s = std::sin(a) * size;
    const auto corner = [&](double x, double y) { return QPointF(at.x() + x * c - y * s, at.y() + x * s + y * c); };
    const QPointF triangle[3] = {corner(0, -12), corner(6, 7), corner(-6, 7)};
    p.drawPolygon(triangle, 3);
}

void drawAid(QPainter& p, const AisTarget& t, QPointF at, const QColor& colour)
{
    QPen pen(colour, 2);
    if (t.virtualAid) pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPolygonF diamond{{at.x(), at.y() - 8}, {at.x() + 8, at.y()}, {at.x(), at.y() + 8}, {at.x() - 8, at.y()}};
    p.drawPolygon(diamond);
    p.drawLine(QPointF(at.x() - 3, at.y()), QPointF(at.x() + 3, at.y()));
    p.drawLine(QPointF(at.x(), at.y() - 3), QPointF(at.x(), at.y() + 3));
}

void drawVector(QPainter& p, const Viewport& v, const AisTarget& t, QPointF at, const QColor& colour)
{
    if (!t.speedKnots || !t.courseDegrees || *t.speedKnots < 0.1) return;
    // Six minutes of travel: speed / 10 miles, one mile a minute of latitude.
    const double miles = *t.speedKnots * AisTargetPainter::kVectorMinutes / 60.0;
    const double a = *t.courseDegrees * kRadiansPerDegree;
    const double lat = *t.latitude + miles * std::cos(a) / 60.0;
    const double lon =
        *t.longitude + miles * std::sin(a) / 60.0 / std::max(std::cos(*t.latitude * kRadiansPerDegree), 1e-6);
    p.setPen(QPen(colour, 1));
    p.drawLine(at, AisTargetPainter::pixelOf(v, lat, lon));
}

} // namespace

QPointF AisTargetPainter::pixelOf(const Viewport& v, double latitude, double longitude)
{
    // As Viewport::project, without its whole-pixel truncation.
    return QPointF((longitude * 60.0 + v.xOffset()) / v.scaleX() + v.centreX(),
                   (-latitude * 60.0 + v.yOffset()) / v.scaleY() + v.centreY());
}

std::optional<AisCpa> AisTargetPainter::cpaOf(const AisTarget& t, const AisCpa::Track& own)
{
    if (!t.hasPosition() || !t.speedKnots) return std::nullopt;
    if (*t.speedKnots > 0.0 && !t.courseDegrees) return std::nullopt;
    return AisCpa::compute(own, {*t.latitude, *t.longitude, *t.speedKnots, t.courseDegrees.value_or(0.0)});
}

void AisTargetPainter::paint(QPainter& p, const Viewport& v, const AisTargetList& targets, const Options& o)
{
    const PixelRect& w = v.windowRect();
    const QRectF area(w.left - 40, w.top - 40, w.width() + 80, w.height() + 80);
    const bool names = v.scale() < o.nameScale;
    p.save();
    // Without antialiasing: thousands of targets must paint within a frame.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (const auto& [mmsi, t] : targets.targets()) {
        if (!t.hasPosition()) continue;
        const QPointF at = pixelOf(v, *t.latitude, *t.longitude);
        // The vector may reach into the window from a target outside it;
        // targets far outside are skipped whole.
        if (!area.contains(at)) continue;
        bool warning = false;
        if (o.own && !t.lost && t.kind != AisTarget::Kind::AidToNavigation) {
            const std::optional<AisCpa> cpa = cpaOf(t, *o.own);
            warning = cpa && cpa->isDangerous(o.limits);
        }
        const QColor colour = colourFor(t, warning, o.printing);
        switch (t.kind) {
        case AisTarget::Kind::AidToNavigation:
            drawAid(p, t, at, colour);
            break;
        case AisTarget::Kind::BaseStation:
            p.setPen(QPen(colour, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
            break;
        default:
            drawVector(p, v, t, at, colour);
            drawShip(p, v, t, at, colour, o.printing);
            break;
        }
        if (names && t.name) {
            p.setPen(t.lost ? kLost : QColor(Qt::black));
            p.drawText(at + QPointF(10, 14), *t.name);
        }
    }
    p.restore();
}

std::optional<uint32_t> AisTargetPainter::hitTest(const Viewport& v, const AisTargetList& targets, QPoint pixel,
                                                  int radius)
{
    std::optional<uint32_t> best;
    double bestDistance = radius;
    for (const auto& [mmsi, t] : targets.targets()) {
        if (!t.hasPosition()) continue;
        const QPointF at = pixelOf(v, *t.latitude, *t.longitude);
        const double d = std::hypot(at.x() - pixel.x(), at.y() - pixel.y());
        if (d <= bestDistance) {
            bestDistance = d;
            best = mmsi;
        }
    }
    return best;
}

} // namespace kesmar
