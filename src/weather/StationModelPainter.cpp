#include "weather/StationModelPainter.h"

#include "weather/PresentWeatherSymbol.h"
#include "weather/StationSymbols.h"
#include "weather/WindBarb.h"

#include <QFontMetricsF>

#include <cmath>

namespace kesmar {

namespace {
const QColor kInk(0, 0, 0);
const QColor kTemperature(190, 0, 0);
const QColor kDewPoint(0, 110, 0);
const QColor kPressure(0, 0, 120);

QString degrees(double celsius)
{
    return QString::number(std::lround(celsius));
}
} // namespace

StationModelPainter::StationModelPainter(double sizeFactor)
    : k_(sizeFactor > 0 ? sizeFactor : 1.0)
{
    font_.setFamily(QStringLiteral("DejaVu Sans"));
    font_.setPixelSize(std::max(6, int(std::lround(10 * k_))));
    // Texts reach 40 px to each side; the barb stays within 30 px.
    footprint_ = QSizeF(76 * k_, 46 * k_);
}

void StationModelPainter::draw(QPainter& painter, QPointF centre, const StationObservation& o) const
{
    drawWind(painter, centre, o);
    StationSymbols::drawCloudCover(painter, centre, stationRadius(), o.totalCloud.value_or(0), kInk);
    drawTexts(painter, centre, o);
    if (o.presentWeather && *o.presentWeather >= 4) {
        // 00-03 tell only how the clouds developed; charts leave them out.
        const int ww = *o.presentWeather;
        PresentWeatherSymbol::draw(painter, centre + QPointF(-15 * k_, 0), 5 * k_, ww,
                                   PresentWeatherSymbol::colour(PresentWeatherSymbol::kind(ww)));
    }
    if (o.lowCloud) StationSymbols::drawLowCloud(painter, centre + QPointF(0, 11 * k_), 4 * k_, *o.lowCloud, kInk);
    if (o.tendencyCharacteristic) {
        const QString t = o.tendencyTenths ? StationObservation::tendencyText(*o.tendencyTenths) : QString();
        const double w = QFontMetricsF(font_).horizontalAdvance(t);
        StationSymbols::drawTendency(painter, centre + QPointF(10 * k_ + w + 5 * k_, 0), 4 * k_,
                                     *o.tendencyCharacteristic, kInk);
    }
}

void StationModelPainter::drawWind(QPainter& painter, QPointF centre, const StationObservation& o) const
{
    if (!o.windKnots || !o.windDirection) return;
    WindBarb::Size size;
    size.stationRadius *= k_;
    size.staffLength *= k_;
    size.barbLength *= k_;
    size.spacing *= k_;
    const WindBarb b = WindBarb::make(centre, *o.windDirection, *o.windKnots, o.latitudeMinutes < 0, size);
    painter.setPen(QPen(kInk, 1.2 * k_));
    painter.setBrush(Qt::NoBrush);
    if (b.calm) {
        painter.drawEllipse(b.calmCentre, b.calmRadius, b.calmRadius);
        return;
    }
    painter.drawLine(b.staff);
    for (const QLineF& l : b.barbs) painter.drawLine(l);
    for (const QLineF& l : b.halfBarbs) painter.drawLine(l);
    painter.setBrush(kInk);
    for (const QPolygonF& p : b.pennants) painter.drawPolygon(p);
}

void StationModelPainter::drawTexts(QPainter& painter, QPointF centre, const StationObservation& o) const
{
    painter.setFont(font_);
    const QFontMetricsF m(font_);
    const double left = centre.x() - 8 * k_, right = centre.x() + 9 * k_;
    auto rightAligned = [&](const QString& s, double baseline, const QColor& c) {
        painter.setPen(c);
        painter.drawText(QPointF(left - m.horizontalAdvance(s), baseline), s);
    };
    const double ascent = m.ascent();
    if (o.airTemperature) rightAligned(degrees(*o.airTemperature), centre.y() - 4 * k_, kTemperature);
    if (o.dewPoint) rightAligned(degrees(*o.dewPoint), centre.y() + 4 * k_ + ascent, kDewPoint);
    if (o.visibility) {
        const QString vv = QStringLiteral("%1").arg(*o.visibility, 2, 10, QLatin1Char('0'));
        painter.setPen(kInk);
        painter.drawText(QPointF(centre.x() - 21 * k_ - m.horizontalAdvance(vv), centre.y() + ascent / 2 - 1), vv);
    }
    if (o.seaLevelPressureTenths) {
        painter.setPen(kPressure);
        painter.drawText(QPointF(right, centre.y() - 4 * k_), StationObservation::pressureText(*o.seaLevelPressureTenths));
    }
    if (o.tendencyTenths) {
        painter.setPen(kPressure);
        painter.drawText(QPointF(right + k_, centre.y() + ascent / 2 - 1), StationObservation::tendencyText(*o.tendencyTenths));
    }
    if (o.ship && !o.name.isEmpty()) {
        painter.setPen(kInk);
        painter.drawText(QPointF(right, centre.y() + 4 * k_ + ascent), o.name);
    }
}

} // namespace kesmar
