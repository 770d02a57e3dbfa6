#pragma once
#include <QColor>
#include <QPainter>
#include <QPointF>

namespace kesmar {

// The smaller symbols of a station model: total cloud cover in the station
// circle, the characteristic of the pressure tendency and the low cloud type.
class StationSymbols {
public:
    // N: '0'-'8' oktas filled in, '9' sky obscured (a cross), '/' not
    // observed (a slash); anything else an empty circle.
    static void drawCloudCover(QPainter& painter, QPointF centre, double radius, char n,
                               const QColor& colour);
    // a = 0-8 as a small line figure in a box of +-size.
    static void drawTendency(QPainter& painter, QPointF centre, double size, int a, const QColor& colour);
    // CL = '1'-'9' in a box of +-size.
    static void drawLowCloud(QPainter& painter, QPointF centre, double size, char cl, const QColor& colour);
};

} // namespace kesmar
