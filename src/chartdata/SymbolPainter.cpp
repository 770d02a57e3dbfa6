#include "chartdata/SymbolPainter.h"

#include "chartdata/PointRecord.h"
#include "chartdata/SymbolLibrary.h"

#include <QPen>

#include <array>
#include <cmath>

namespace kesmar {

namespace {

constexpr std::array<SymbolPainter::TopmarkPlace, SymbolPainter::kTopmarkTypes> kTopmarks{{
    {120, -440, 64}, {30, -220, 64},  {70, -300, 64}, {180, -670, 64},
    {160, -670, 64}, {0, -260, 80},   {0, -440, 80},  {0, -480, 80},
    {0, -460, 80},   {70, -300, 64},  {30, -220, 64},
}};

// Elements have at most 65 535 points; most have a handful.
constexpr int kStackPoints = 64;

} // namespace

SymbolPainter::SymbolPainter(QPainter& painter, const SymbolLibrary& library, const ColourTable& colours)
    : painter_(painter), library_(library), colours_(colours)
{
}

void SymbolPainter::setPointColours(QColor foreground, QColor background)
{
    foreground_ = foreground;
    background_ = background;
}

SymbolPainter::TopmarkPlace SymbolPainter::topmarkPlace(int type)
{
    if (type < 0 || type >= kTopmarkTypes) return {0, 0, SymbolLibrary::kEntryCount};
    return kTopmarks[size_t(type)];
}

void SymbolPainter::drawSymbol(int k) const
{
    drawEntry(k, {}, FillRule::Element);
}

void SymbolPainter::drawTopmark(int type, int variant) const
{
    if (type < 0 || type >= kTopmarkTypes || variant < 0) return;
    const TopmarkPlace place = kTopmarks[size_t(type)];
    // The cardinal marks are black whatever the buoy's colours.
    const FillRule rule = (variant >= 1 && variant <= 4) ? FillRule::TopmarkBlack : FillRule::Topmark;
    drawEntry(place.firstEntry + variant, {place.dx, place.dy}, rule);
}

void SymbolPainter::drawDecoratedSymbol(int type, uint8_t modifier) const
{
    if (type < 32 || type == 39 || type == 40) {
        if (modifier & 0x40) drawSymbol(kLightDecoration);
        if ((modifier & 0x0F) != 0 && type < kTopmarkTypes) drawTopmark(type, (modifier & 0x0F) - 1);
        if (modifier & 0x80) drawSymbol(kWarnDecoration);
        if (modifier & 0x20) drawSymbol(kRadarDecoration);
        if (modifier & 0x10) drawSymbol(kFogDecoration);
    }
    drawSymbol(type);
}

void SymbolPainter::drawPointSymbol(QPainter& painter, const SymbolLibrary& library,
                                    const ColourTable& colours, const PointRecord& record,
                                    QPoint origin, double size, bool fineStripes)
{
    SymbolPainter s(painter, library, colours);
    s.setOrigin(origin);
    s.setSize(size);
    s.setPattern(PointPatterns::forTypeByte(record.typeByte(), fineStripes));
    s.setPointColours(colours.colour(record.foreground()), colours.colour(record.background()));
    s.drawDecoratedSymbol(record.objectType(), record.modifier());
}

void SymbolPainter::drawEntry(int k, Offset offset, FillRule rule) const
{
    const std::span<const SymbolLibrary::Element> elements = library_.entry(k);
    if (elements.empty()) return;
    const QPen oldPen = painter_.pen();
    const QBrush oldBrush = painter_.brush();
    QBrush patternBrush;  // made once per entry, only when an element asks for it
    std::array<QPoint, kStackPoints> stack;
    std::vector<QPoint> heap;
    for (const SymbolLibrary::Element& e : elements) {
        const int shape = e.shape();
        const int n = int(e.points.size());
        if (n == 0 || (shape != SymbolLibrary::Polyline && shape != SymbolLibrary::Polygon
                       && shape != SymbolLibrary::Ellipse))
            continue;
        if (shape == SymbolLibrary::Ellipse && n < 2) continue;
        QColor fill = e.defaultColours() ? QColor::fromRgb(kDefaultFill) : colours_.colour(e.fillIndex());
        QColor outline = e.defaultColours() ? QColor(Qt::black) : colours_.colour(e.outlineIndex());
        QBrush brush(Qt::NoBrush);
        if (rule == FillRule::TopmarkBlack) {
            fill = outline = Qt::black;
            if (e.filled()) brush = QBrush(fill);
        } else if (rule == FillRule::Topmark) {
            if (e.filled()) brush = QBrush(foreground_);
        } else if (e.filled()) {
            if (!e.defaultColours() && e.fillIndex() == SymbolLibrary::kPatternFill) {
                if (patternBrush.style() == Qt::NoBrush)
                    patternBrush = PointPatterns::brush(pattern_, foreground_, background_);
                brush = patternBrush;
            } else {
                brush = QBrush(fill);
            }
        }
        painter_.setBrush(brush);
        painter_.setPen(e.outlined() ? QPen(outline, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
                                     : QPen(Qt::NoPen));
        QPoint* pixels = stack.data();
        if (n > kStackPoints) {
            heap.resize(size_t(n));
            pixels = heap.data();
        }
        for (int i = 0; i < n; ++i) {
            const QPoint& p = e.points[size_t(i)];
            pixels[i] = QPoint(int(std::trunc((p.x() + offset.dx) * size_)) + origin_.x(),
                               int(std::trunc((p.y() + offset.dy) * size_)) + origin_.y());
        }
        if (shape == SymbolLibrary::Polyline)
            painter_.drawPolyline(pixels, n);
        else if (shape == SymbolLibrary::Polygon)
            painter_.drawPolygon(pixels, n, Qt::OddEvenFill);
        else
            painter_.drawEllipse(QRect(pixels[0], pixels[1]).normalized().adjusted(0, 0, -1, -1));
    }
    painter_.setPen(oldPen);
    painter_.setBrush(oldBrush);
}

} // namespace kesmar
