#include "weather/PresentWeatherSymbol.h"

#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace kesmar {

namespace {

// Drawing in a unit box (-1..1, y down); the painter is scaled to the symbol.
class Pen {
public:
    explicit Pen(QPainter& p) : p_(p) {}

    void dot(double x, double y, double r = 0.17) { p_.drawEllipse(QPointF(x, y), r, r); }
    void comma(double x, double y)
    {
        dot(x, y, 0.15);
        QPainterPath tail;
        tail.moveTo(x + 0.14, y);
        tail.quadTo(x + 0.12, y + 0.3, x - 0.12, y + 0.42);
        strokeOnly(tail);
    }
    void star(double x, double y, double r = 0.24)
    {
        for (int i = 0; i < 3; ++i) {
            const double a = (90.0 + 60.0 * i) * std::numbers::pi / 180.0;
            line(x - r * std::cos(a), y - r * std::sin(a), x + r * std::cos(a), y + r * std::sin(a));
        }
    }
    void line(double x0, double y0, double x1, double y1) { p_.drawLine(QPointF(x0, y0), QPointF(x1, y1)); }
    void triangle(double x, double y, double w, bool down, bool filled)
    {
        const double h = w * 0.9, t = down ? -1 : 1;
        const QPointF pts[3] = {{x - w / 2, y + t * h / 2}, {x + w / 2, y + t * h / 2}, {x, y - t * h / 2}};
        if (filled) p_.drawPolygon(pts, 3);
        else p_.drawPolyline(std::array<QPointF, 4>{pts[0], pts[1], pts[2], pts[0]}.data(), 4);
    }
    void wave(double x0, double x1, double y, double amplitude = 0.15)
    {
        QPainterPath path;
        path.moveTo(x0, y);
        const double w = (x1 - x0) / 2;
        path.cubicTo(x0 + w * 0.5, y - amplitude * 2, x0 + w * 0.5, y + amplitude * 2, x0 + w, y);
        path.cubicTo(x0 + w * 1.5, y - amplitude * 2, x0 + w * 1.5, y + amplitude * 2, x1, y);
        strokeOnly(path);
    }
    void letterS(double x, double y, double h = 0.9)
    {
        QPainterPath s;
        const double w = h * 0.4;
        s.moveTo(x + w, y - h / 2);
        s.cubicTo(x - w * 1.6, y - h / 2, x - w * 1.6, y, x, y);
        s.cubicTo(x + w * 1.6, y, x + w * 1.6, y + h / 2, x - w, y + h / 2);
        strokeOnly(s);
    }
    void arrow(double x0, double y0, double x1, double y1)
    {
        line(x0, y0, x1, y1);
        const double a = std::atan2(y1 - y0, x1 - x0), head = 0.25;
        line(x1, y1, x1 - head * std::cos(a - 0.5), y1 - head * std::sin(a - 0.5));
        line(x1, y1, x1 - head * std::cos(a + 0.5), y1 - head * std::sin(a + 0.5));
    }
    void bracket(double x) // "]": weather of the past hour
    {
        line(x, -0.8, x, 0.8);
        line(x - 0.22, -0.8, x, -0.8);
        line(x - 0.22, 0.8, x, 0.8);
    }
    void arc(double x, double y, double r, double startDeg, double spanDeg)
    {
        p_.drawArc(QRectF(x - r, y - r, 2 * r, 2 * r), int(startDeg * 16), int(spanDeg * 16));
    }
    void fogLines(double x0, double x1, bool dashed)
    {
        for (double y : {-0.4, 0.0, 0.4}) {
            if (dashed) {
                line(x0, y, x0 + (x1 - x0) * 0.4, y);
                line(x0 + (x1 - x0) * 0.6, y, x1, y);
            } else {
                line(x0, y, x1, y);
            }
        }
    }
    void thunder(double x, double y, double k = 1.0)
    {
        line(x - 0.45 * k, y + 0.75 * k, x - 0.45 * k, y - 0.6 * k);
        line(x - 0.45 * k, y - 0.6 * k, x + 0.45 * k, y - 0.6 * k);
        QPainterPath z;
        z.moveTo(x + 0.45 * k, y - 0.6 * k);
        z.lineTo(x + 0.05 * k, y + 0.1 * k);
        z.lineTo(x + 0.45 * k, y + 0.1 * k);
        z.lineTo(x + 0.1 * k, y + 0.75 * k);
        strokeOnly(z);
        line(x + 0.1 * k, y + 0.75 * k, x + 0.1 * k, y + 0.5 * k);
        line(x + 0.1 * k, y + 0.75 * k, x + 0.32 * k, y + 0.62 * k);
    }
    void strokeOnly(const QPainterPath& path) { p_.strokePath(path, p_.pen()); }

private:
    QPainter& p_;
};

using Glyph = void (*)(Pen&, double x, double y);
void dotGlyph(Pen& p, double x, double y) { p.dot(x, y); }
void commaGlyph(Pen& p, double x, double y) { p.comma(x, y - 0.1); }
void starGlyph(Pen& p, double x, double y) { p.star(x, y); }

// The six intensity patterns of drizzle, rain and snow (x0-x5):
// intermittent/continuous by one and two side by side, then stacked.
void intensity(Pen& p, Glyph g, int step)
{
    switch (step) {
    case 0: g(p, 0, 0); break;
    case 1: g(p, -0.4, 0); g(p, 0.4, 0); break;
    case 2: g(p, 0, -0.4); g(p, 0, 0.4); break;
    case 3: g(p, -0.4, 0.35); g(p, 0.4, 0.35); g(p, 0, -0.35); break;
    case 4: g(p, 0, -0.65); g(p, 0, 0); g(p, 0, 0.65); break;
    default: g(p, -0.45, 0); g(p, 0.45, 0); g(p, 0, -0.6); g(p, 0, 0.6); break;
    }
}

// Precipitation or fog of the past hour (20-29): the symbol, then "]".
void pastHour(Pen& p, int ww)
{
    switch (ww) {
    case 20: p.comma(-0.35, -0.1); break;
    case 21: p.dot(-0.35, 0); break;
    case 22: p.star(-0.35, 0); break;
    case 23: p.dot(-0.35, -0.35); p.star(-0.35, 0.4); break;
    case 24: p.wave(-0.95, 0.2, 0.35); p.dot(-0.35, -0.3); break;
    case 25: p.triangle(-0.35, 0.35, 0.6, true, false); p.dot(-0.35, -0.4); break;
    case 26: p.triangle(-0.35, 0.35, 0.6, true, false); p.star(-0.35, -0.45, 0.2); break;
    case 27: p.triangle(-0.35, 0.35, 0.6, true, false); p.triangle(-0.35, -0.45, 0.35, false, false); break;
    case 28: p.fogLines(-0.9, 0.1, false); break;
    default: p.thunder(-0.35, 0, 0.8); break;
    }
    p.bracket(0.55);
}

void duststorm(Pen& p, int ww)
{
    const int change = (ww - 30) % 3; // decreased, unchanged, increased
    p.letterS(0, 0);
    p.arrow(-0.7, 0, 0.7, 0);
    if (ww >= 33) p.line(-0.7, -0.15, 0.55, -0.15);
    if (change == 0) p.line(-0.9, -0.6, -0.9, 0.6);
    if (change == 2) p.line(0.9, -0.6, 0.9, 0.6);
}

void snowDrift(Pen& p, int ww)
{
    const bool blowing = ww >= 38, heavy = ww % 2 == 1;
    const double y = blowing ? -0.25 : 0.25;
    p.arrow(-0.8, y, 0.8, y);
    if (heavy) p.arrow(-0.8, y + (blowing ? 0.35 : -0.35), 0.8, y + (blowing ? 0.35 : -0.35));
    p.star(0, blowing ? 0.5 : -0.5, 0.2);
}

void fog(Pen& p, int ww)
{
    if (ww == 40) { p.fogLines(-0.5, 0.5, false); p.arc(0, 0, 0.85, 120, 120); p.arc(0, 0, 0.85, -60, 120); return; }
    if (ww == 41) { p.fogLines(-0.8, 0.8, true); return; }
    if (ww >= 48) {
        p.fogLines(-0.8, 0.8, false);
        p.line(-0.25, -0.75, 0, -0.55);
        p.line(0, -0.55, 0.25, -0.75);
        if (ww == 49) p.line(-0.8, 0.75, 0.8, 0.75);
        return;
    }
    const bool skyInvisible = ww % 2 == 1;
    const int change = (ww - 42) / 2; // thinner, unchanged, thicker
    p.fogLines(-0.6, 0.6, false);
    if (skyInvisible) p.line(-0.6, -0.75, 0.6, -0.75);
    if (change == 0) p.line(-0.85, -0.6, -0.85, 0.6);
    if (change == 2) p.line(0.85, -0.6, 0.85, 0.6);
}

void mixedPrecipitation(Pen& p, int ww)
{
    switch (ww) {
    case 56: p.wave(-0.8, 0.8, 0.3); p.comma(0, -0.35); break;
    case 57: p.wave(-0.8, 0.8, 0.3); p.comma(-0.35, -0.35); p.comma(0.35, -0.35); break;
    case 58: p.comma(0, -0.45); p.dot(0, 0.45); break;
    case 59: p.comma(-0.35, -0.45); p.comma(0.35, -0.45); p.dot(-0.35, 0.45); p.dot(0.35, 0.45); break;
    case 66: p.wave(-0.8, 0.8, 0.3); p.dot(0, -0.35); break;
    case 67: p.wave(-0.8, 0.8, 0.3); p.dot(-0.35, -0.35); p.dot(0.35, -0.35); break;
    case 68: p.dot(0, -0.45); p.star(0, 0.45); break;
    default: p.dot(-0.35, -0.45); p.dot(0.35, -0.45); p.star(-0.35, 0.45); p.star(0.35, 0.45); break;
    }
}

void iceForms(Pen& p, int ww)
{
    switch (ww) {
    case 76: p.arrow(-0.3, 0, 0.8, 0); p.arrow(0.3, 0, -0.8, 0); break;
    case 77: p.triangle(0, 0.1, 0.8, false, false); p.line(-0.6, 0.55, 0.6, 0.55); break;
    case 78: p.star(0, 0); p.line(-0.9, 0, -0.4, 0); p.line(0.4, 0, 0.9, 0); break;
    default: p.triangle(0, 0, 0.9, false, false); p.dot(0, 0.1, 0.12); break;
    }
}

void shower(Pen& p, int ww)
{
    p.triangle(0, 0.45, 0.75, true, false);
    const bool heavy = ww == 81 || ww == 84 || ww == 86 || ww == 88 || ww == 90;
    switch (ww) {
    case 80: case 81: p.dot(0, -0.45); break;
    case 82: p.dot(0, -0.3); p.dot(0, -0.75); break;
    case 83: case 84: p.dot(-0.25, -0.45); p.star(0.3, -0.45, 0.2); break;
    case 85: case 86: p.star(0, -0.45); break;
    case 87: case 88: p.triangle(0, -0.45, 0.4, false, false); break;
    default: p.triangle(0, -0.45, 0.4, false, true); break;
    }
    if (heavy) p.line(-0.45, 0.3, 0.45, 0.3);
}

void thunderstorm(Pen& p, int ww)
{
    if (ww <= 94) { // in the past hour, precipitation now
        p.bracket(-0.1);
        p.thunder(-0.55, 0, 0.6);
        if (ww == 91) p.dot(0.45, 0);
        if (ww == 92) { p.dot(0.45, -0.3); p.dot(0.45, 0.3); }
        if (ww == 93) p.star(0.45, 0);
        if (ww == 94) { p.star(0.45, -0.4, 0.2); p.star(0.45, 0.4, 0.2); }
        return;
    }
    p.thunder(0, 0.2, 0.75);
    switch (ww) {
    case 95: p.dot(0, -0.75, 0.14); break;
    case 96: p.triangle(0, -0.75, 0.3, false, true); break;
    case 97: p.dot(-0.2, -0.75, 0.14); p.dot(0.2, -0.75, 0.14); p.line(-0.4, -0.95, 0.4, -0.95); break;
    case 98: p.letterS(0.6, -0.6, 0.45); break;
    default: p.triangle(-0.2, -0.75, 0.3, false, true); p.triangle(0.2, -0.75, 0.3, false, true); break;
    }
}

void lowVisibility(Pen& p, int ww)
{
    switch (ww) {
    case 0: p.arc(0, 0, 0.45, 0, 360); break;
    case 1: p.arc(0, 0, 0.45, 0, 360); p.line(-0.7, 0.5, 0.7, 0.5); break;
    case 2: p.arc(0, 0, 0.45, 0, 360); p.line(-0.7, 0, -0.45, 0); p.line(0.45, 0, 0.7, 0); break;
    case 3: p.arc(0, 0, 0.45, 0, 360); p.line(-0.7, -0.5, 0.7, -0.5); break;
    case 4: p.line(0, 0.8, 0, -0.2); p.wave(-0.6, 0.6, -0.5); break;
    case 5: { // haze: a lying eight
        p.arc(-0.3, 0, 0.3, 0, 360);
        p.arc(0.3, 0, 0.3, 0, 360);
        break;
    }
    case 6: p.letterS(0, 0); break;
    case 7: p.letterS(0, 0); p.line(0, -0.7, 0, 0.7); break;
    case 8: p.letterS(0, 0); p.arc(0, 0, 0.65, 0, 360); break;
    case 9: p.letterS(0, 0, 0.7); p.arc(0, 0, 0.8, 110, 140); p.arc(0, 0, 0.8, -70, 140); break;
    case 10: p.line(-0.7, -0.2, 0.7, -0.2); p.line(-0.7, 0.2, 0.7, 0.2); break;
    case 11: p.line(-0.8, 0.1, -0.2, 0.1); p.line(0.2, 0.1, 0.8, 0.1); p.line(-0.8, 0.5, -0.2, 0.5); p.line(0.2, 0.5, 0.8, 0.5); break;
    case 12: p.line(-0.8, 0.1, 0.8, 0.1); p.line(-0.8, 0.5, 0.8, 0.5); break;
    case 13: p.line(0.3, -0.8, -0.3, 0.1); p.line(-0.3, 0.1, 0.3, 0.1); p.arrow(0.3, 0.1, -0.2, 0.8); break;
    case 14: p.dot(0, -0.1); p.line(-0.6, 0.5, 0.6, 0.5); p.line(-0.2, 0.3, -0.2, 0.5); break;
    case 15: p.dot(0, 0); p.arc(-0.8, 0, 0.5, -60, 120); p.arc(0.8, 0, 0.5, 120, 120); break;
    case 16: p.dot(0, 0); p.arc(0, 0, 0.6, 110, 140); p.arc(0, 0, 0.6, -70, 140); break;
    case 17: p.thunder(0, 0); break;
    case 18: p.line(-0.5, 0.7, 0, -0.7); p.line(0, -0.7, 0.5, 0.7); p.line(-0.35, 0.2, 0.35, 0.2); break;
    default: p.arc(-0.9, 0, 0.6, -60, 120); p.arc(0.9, 0, 0.6, 120, 120); break; // 19 funnel cloud
    }
}

} // namespace

PresentWeatherSymbol::Kind PresentWeatherSymbol::kind(int ww)
{
    if (ww < 0 || ww > 99) return Kind::None;
    if (ww == 17 || ww == 29 || ww >= 91) return Kind::Thunder;
    if (ww >= 4 && ww <= 9) return ww <= 5 ? Kind::Haze : Kind::Dust;
    if (ww >= 30 && ww <= 35) return Kind::Dust;
    if (ww == 10 || ww == 11 || ww == 12 || ww == 28 || (ww >= 40 && ww <= 49)) return Kind::Fog;
    if (ww >= 80) return Kind::Shower;
    if ((ww >= 70 && ww <= 79) || (ww >= 36 && ww <= 39) || ww == 22 || ww == 26) return Kind::Snow;
    if (ww >= 50 && ww <= 59) return Kind::Drizzle;
    if ((ww >= 60 && ww <= 69) || ww == 21 || ww == 23 || ww == 24 || ww == 25 || ww == 20) return Kind::Rain;
    return Kind::None;
}

QColor PresentWeatherSymbol::colour(Kind kind)
{
    switch (kind) {
    case Kind::Thunder: return QColor(200, 0, 0);
    case Kind::Fog: return QColor(170, 140, 0);
    case Kind::Haze: case Kind::Dust: return QColor(140, 80, 20);
    case Kind::Drizzle: case Kind::Rain: case Kind::Shower: return QColor(0, 130, 0);
    case Kind::Snow: return QColor(0, 90, 200);
    case Kind::None: break;
    }
    return QColor(0, 0, 0);
}

void PresentWeatherSymbol::draw(QPainter& painter, QPointF centre, double size, int ww, const QColor& colour)
{
    if (ww < 0 || ww > 99 || size <= 0) return;
    painter.save();
    painter.translate(centre);
    painter.scale(size, size);
    QPen pen(colour, 1.2);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(colour);
    Pen p(painter);
    if (ww < 20) lowVisibility(p, ww);
    else if (ww < 30) pastHour(p, ww);
    else if (ww < 36) duststorm(p, ww);
    else if (ww < 40) snowDrift(p, ww);
    else if (ww < 50) fog(p, ww);
    else if (ww < 56) intensity(p, commaGlyph, ww - 50);
    else if (ww < 60) mixedPrecipitation(p, ww);
    else if (ww < 66) intensity(p, dotGlyph, ww - 60);
    else if (ww < 70) mixedPrecipitation(p, ww);
    else if (ww < 76) intensity(p, starGlyph, ww - 70);
    else if (ww < 80) iceForms(p, ww);
    else if (ww < 91) shower(p, ww);
    else thunderstorm(p, ww);
    painter.restore();
}

} // namespace kesmar
