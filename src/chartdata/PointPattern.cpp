#include "chartdata/PointPattern.h"

#include <QImage>

namespace kesmar {

PointPattern PointPatterns::forTypeByte(uint8_t typeByte, bool fineStripes)
{
    if (typeByte & 0x80) return PointPattern::Bands;
    if (typeByte & 0x40) return fineStripes ? PointPattern::Stripes2 : PointPattern::Stripes4;
    return PointPattern::Plain;
}

uint8_t PointPatterns::row(PointPattern pattern, int y)
{
    switch (pattern) {
    case PointPattern::Bands: return (y & 7) < 4 ? 0xFF : 0x00;
    case PointPattern::Stripes2: return 0xCC;  // columns 0-1 and 4-5
    case PointPattern::Stripes4: return 0xF0;  // columns 0-3
    case PointPattern::Plain: break;
    }
    return 0x00;
}

QBrush PointPatterns::brush(PointPattern pattern, QColor foreground, QColor background)
{
    if (pattern == PointPattern::Plain) return QBrush(foreground);
    QImage tile(8, 8, QImage::Format_RGB32);
    const QRgb set = background.rgb();
    const QRgb clear = foreground.rgb();
    for (int y = 0; y < 8; ++y) {
        const uint8_t bits = row(pattern, y);
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < 8; ++x) line[x] = (bits & (0x80 >> x)) ? set : clear;
    }
    return QBrush(tile);
}

} // namespace kesmar
