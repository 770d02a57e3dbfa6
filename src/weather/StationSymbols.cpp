#include "weather/StationSymbols.h"

#include <QPainterPath>

namespace kesmar {

namespace {

void unitPen(QPainter& painter, QPointF centre, double size, const QColor& colour)
{
    painter.translate(centre);
    painter.scale(size, size);
    QPen pen(colour, 1.2);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

void polyline(QPainter& painter, std::initializer_list<QPointF> points)
{
    painter.drawPolyline(points.begin(), int(points.size()));
}

} // namespace

void StationSymbols::drawCloudCover(QPainter& painter, QPointF centre, double radius, char n,
                                    const QColor& colour)
{
    painter.save();
    QPen pen(colour, 1.2);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.drawEllipse(box);
    painter.setBrush(colour);
    const double r = radius;
    switch (n) {
    case '1': painter.drawLine(centre + QPointF(0, -r), centre + QPointF(0, r)); break;
    case '2': painter.drawPie(box, 0, 90 * 16); break;
    case '3': painter.drawPie(box, 0, 90 * 16); painter.drawLine(centre, centre + QPointF(0, r)); break;
    case '4': painter.drawPie(box, -90 * 16, 180 * 16); break;
    case '5': painter.drawPie(box, -90 * 16, 180 * 16); painter.drawLine(centre, centre + QPointF(-r, 0)); break;
    case '6': painter.drawPie(box, -180 * 16, 270 * 16); break;
    case '7':
        painter.drawEllipse(box);
        painter.setPen(QPen(Qt::white, std::max(1.0, r * 0.35)));
        painter.drawLine(centre + QPointF(0, -r * 0.8), centre + QPointF(0, r * 0.8));
        break;
    case '8': painter.drawEllipse(box); break;
    case '9': {
        const double d = r * 0.7;
        painter.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
        painter.drawLine(centre + QPointF(-d, d), centre + QPointF(d, -d));
        break;
    }
    case '/': painter.drawLine(centre + QPointF(-r * 0.7, r * 0.7), centre + QPointF(r * 0.7, -r * 0.7)); break;
    default: break;
    }
    painter.restore();
}

void StationSymbols::drawTendency(QPainter& painter, QPointF centre, double size, int a, const QColor& colour)
{
    if (a < 0 || a > 8) return;
    painter.save();
    unitPen(painter, centre, size, colour);
    switch (a) {
    case 0: polyline(painter, {{-0.8, 0.6}, {0, -0.6}, {0.8, 0.2}}); break;
    case 1: polyline(painter, {{-0.8, 0.6}, {0, -0.4}, {0.8, -0.4}}); break;
    case 2: polyline(painter, {{-0.8, 0.6}, {0.8, -0.6}}); break;
    case 3: polyline(painter, {{-0.8, -0.2}, {-0.2, 0.6}, {0.8, -0.6}}); break;
    case 4: polyline(painter, {{-0.8, 0}, {0.8, 0}}); break;
    case 5: polyline(painter, {{-0.8, -0.6}, {0, 0.6}, {0.8, -0.2}}); break;
    case 6: polyline(painter, {{-0.8, -0.6}, {0, 0.4}, {0.8, 0.4}}); break;
    case 7: polyline(painter, {{-0.8, -0.6}, {0.8, 0.6}}); break;
    default: polyline(painter, {{-0.8, 0.2}, {-0.2, -0.6}, {0.8, 0.6}}); break;
    }
    painter.restore();
}

void StationSymbols::drawLowCloud(QPainter& painter, QPointF centre, double size, char cl, const QColor& colour)
{
    if (cl < '1' || cl > '9') return;
    painter.save();
    unitPen(painter, centre, size, colour);
    const QRectF dome(-0.6, -0.4, 1.2, 1.2);
    switch (cl) {
    case '1': painter.drawArc(dome, 0, 180 * 16); painter.drawLine(QPointF(-0.8, 0.2), QPointF(0.8, 0.2)); break;
    case '2':
        painter.drawArc(dome, 0, 180 * 16);
        painter.drawLine(QPointF(-0.8, 0.2), QPointF(0.8, 0.2));
        painter.drawArc(QRectF(-0.25, -0.8, 0.5, 0.8), 0, 180 * 16);
        break;
    case '3':
        painter.drawArc(dome, 0, 180 * 16);
        painter.drawLine(QPointF(-0.8, 0.2), QPointF(0.8, 0.2));
        polyline(painter, {{-0.4, -0.65}, {-0.3, -0.9}, {0.3, -0.9}, {0.4, -0.65}});
        break;
    case '4': {
        painter.drawArc(QRectF(-0.5, -0.7, 1.0, 1.0), 0, 180 * 16);
        painter.drawLine(QPointF(0, -0.2), QPointF(0, 0.2));
        QPainterPath w;
        w.moveTo(-0.8, 0.35);
        w.cubicTo(-0.4, 0.0, 0.4, 0.7, 0.8, 0.35);
        painter.drawPath(w);
        break;
    }
    case '5': {
        painter.drawLine(QPointF(-0.8, 0.3), QPointF(0.8, 0.3));
        painter.drawArc(QRectF(-0.7, -0.1, 0.6, 0.8), 0, 180 * 16);
        painter.drawArc(QRectF(0.1, -0.1, 0.6, 0.8), 0, 180 * 16);
        break;
    }
    case '6': painter.drawLine(QPointF(-0.8, 0), QPointF(0.8, 0)); break;
    case '7':
        painter.drawLine(QPointF(-0.8, 0), QPointF(-0.2, 0));
        painter.drawLine(QPointF(0.2, 0), QPointF(0.8, 0));
        break;
    case '8':
        painter.drawArc(QRectF(-0.4, -0.7, 0.8, 0.8), 0, 180 * 16);
        painter.drawLine(QPointF(-0.8, 0.3), QPointF(0.8, 0.3));
        painter.drawArc(QRectF(-0.7, 0.05, 0.6, 0.5), 0, 180 * 16);
        painter.drawArc(QRectF(0.1, 0.05, 0.6, 0.5), 0, 180 * 16);
        break;
    default: // Cb capillatus: the anvil
        polyline(painter, {{-0.5, 0.6}, {-0.5, -0.3}, {0.5, -0.3}, {0.5, 0.6}});
        polyline(painter, {{-0.8, -0.8}, {-0.5, -0.3}});
        polyline(painter, {{0.8, -0.8}, {0.5, -0.3}});
        painter.drawLine(QPointF(-0.8, 0.6), QPointF(0.8, 0.6));
        break;
    }
    painter.restore();
}

} // namespace kesmar
