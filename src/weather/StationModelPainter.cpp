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
const QColor kGround(255, 255, 255, 170);

// Symbol cache keys: kind * 1000 + code.
enum SymbolKind { CloudCover = 1, Weather = 2, LowCloud = 3, Tendency = 4 };
constexpr int kMaxCachedTexts = 5000;

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
    // A pale ground under the figures keeps them legible on land and sea colours.
    painter.fillRect(QRectF(centre.x() - 33 * k_, centre.y() - 16 * k_, 72 * k_, 34 * k_), kGround);
    drawWind(painter, centre, o);
    const char n = o.totalCloud.value_or(0);
    drawSymbol(painter, centre, stationRadius() + 1, CloudCover * 1000 + n, [this, n](QPainter& p, QPointF c) {
        StationSymbols::drawCloudCover(p, c, stationRadius(), n, kInk);
    });
    drawTexts(painter, centre, o);
    if (o.presentWeather && *o.presentWeather >= 4) {
        // 00-03 tell only how the clouds developed; charts leave them out.
        const int ww = *o.presentWeather;
        drawSymbol(painter, centre + QPointF(-16 * k_, 0), 5 * k_, Weather * 1000 + ww, [this, ww](QPainter& p, QPointF c) {
            PresentWeatherSymbol::draw(p, c, 4.5 * k_, ww, PresentWeatherSymbol::colour(PresentWeatherSymbol::kind(ww)));
        });
    }
    if (o.lowCloud) {
        const char cl = *o.lowCloud;
        drawSymbol(painter, centre + QPointF(0, 11 * k_), 5 * k_, LowCloud * 1000 + cl, [this, cl](QPainter& p, QPointF c) {
            StationSymbols::drawLowCloud(p, c, 4 * k_, cl, kInk);
        });
    }
    if (o.tendencyCharacteristic) {
        const int a = *o.tendencyCharacteristic;
        const double w = o.tendencyTenths ? textWidth(StationObservation::tendencyText(*o.tendencyTenths)) : 0.0;
        drawSymbol(painter, centre + QPointF(10 * k_ + w + 5 * k_, 0), 5 * k_, Tendency * 1000 + a,
                   [this, a](QPainter& p, QPointF c) { StationSymbols::drawTendency(p, c, 4 * k_, a, kInk); });
    }
}

void StationModelPainter::drawSymbol(QPainter& painter, QPointF centre, double reach, int key,
                                     const Artwork& artwork) const
{
    if (!caching_) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        artwork(painter, centre);
        painter.restore();
        return;
    }
    const int half = int(std::ceil(reach)) + 2;
    auto it = symbols_.find(key);
    if (it == symbols_.end()) {
        QImage image(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        artwork(p, QPointF(half + 0.5, half + 0.5));
        p.end();
        it = symbols_.insert(key, image);
    }
    painter.drawImage(QPoint(int(std::floor(centre.x())) - half, int(std::floor(centre.y())) - half), *it);
}

double StationModelPainter::textWidth(const QString& text) const
{
    if (!caching_) return QFontMetricsF(font_).horizontalAdvance(text);
    auto it = texts_.find(text);
    if (it == texts_.end()) {
        if (texts_.size() > kMaxCachedTexts) texts_.clear();
        QStaticText s(text);
        s.setTextFormat(Qt::PlainText);
        s.setPerformanceHint(QStaticText::AggressiveCaching);
        s.prepare(QTransform(), font_);
        it = texts_.insert(text, s);
    }
    return it->size().width();
}

double StationModelPainter::drawText(QPainter& painter, double x, double baseline, const QString& text,
                                     const QColor& colour, bool rightAligned) const
{
    if (ascent_ < 0) ascent_ = QFontMetricsF(font_).ascent();
    const double w = textWidth(text);
    const double left = rightAligned ? x - w : x;
    painter.setPen(colour);
    if (caching_) painter.drawStaticText(QPointF(left, baseline - ascent_), texts_.value(text));
    else painter.drawText(QPointF(left, baseline), text);
    return w;
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
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kInk, 1.2 * k_));
    painter.setBrush(Qt::NoBrush);
    if (b.calm) {
        painter.drawEllipse(b.calmCentre, b.calmRadius, b.calmRadius);
    } else {
        painter.drawLine(b.staff);
        for (const QLineF& l : b.barbs) painter.drawLine(l);
        for (const QLineF& l : b.halfBarbs) painter.drawLine(l);
        painter.setBrush(kInk);
        for (const QPolygonF& p : b.pennants) painter.drawPolygon(p);
    }
    painter.restore();
}

void StationModelPainter::drawTexts(QPainter& painter, QPointF centre, const StationObservation& o) const
{
    painter.setFont(font_);
    if (ascent_ < 0) ascent_ = QFontMetricsF(font_).ascent();
    const double left = centre.x() - 8 * k_, right = centre.x() + 9 * k_;
    const double middle = centre.y() + ascent_ / 2 - 1;
    if (o.airTemperature) drawText(painter, left, centre.y() - 5 * k_, degrees(*o.airTemperature), kTemperature, true);
    if (o.dewPoint) drawText(painter, left, centre.y() + 5 * k_ + ascent_, degrees(*o.dewPoint), kDewPoint, true);
    if (o.visibility)
        drawText(painter, centre.x() - 22 * k_, middle, QStringLiteral("%1").arg(*o.visibility, 2, 10, QLatin1Char('0')),
                 kInk, true);
    if (o.seaLevelPressureTenths)
        drawText(painter, right, centre.y() - 5 * k_, StationObservation::pressureText(*o.seaLevelPressureTenths),
                 kPressure, false);
    if (o.tendencyTenths)
        drawText(painter, right + k_, middle, StationObservation::tendencyText(*o.tendencyTenths), kPressure, false);
    if (o.ship && !o.name.isEmpty()) drawText(painter, right, centre.y() + 5 * k_ + ascent_, o.name, kInk, false);
}

} // namespace kesmar
