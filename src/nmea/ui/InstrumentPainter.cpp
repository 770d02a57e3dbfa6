#include "nmea/ui/InstrumentPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <numbers>

namespace kesmar {
namespace {

// The 16-colour look of the panel.
const QColor kFace(192, 192, 192);
const QColor kDial(255, 255, 255);
const QColor kInk(0, 0, 0);
const QColor kValueBox(160, 160, 160);

// The value labels of the panel lie on these boxes (image coordinates).
const QRect kWindValueBox(54, 87, 23, 15);
const QRect kCourseValueBox(54, 85, 25, 15);
const QRect kDepthValueBox(54, 41, 25, 14);

int roundHalfUp(double v) { return int(v + 0.5); }

QFont smallFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void drawValueBox(QPainter& p, const QRect& box)
{
    p.setPen(QColor(128, 128, 128));
    p.setBrush(kValueBox);
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

void drawTextAt(QPainter& p, QPoint centre, const QString& text)
{
    QRect r(centre.x() - 14, centre.y() - 6, 28, 12);
    p.drawText(r, Qt::AlignCenter, text);
}

// Face, rim and ticks shared by both dials.
void drawDialFace(QPainter& p)
{
    p.fillRect(0, 0, InstrumentPainter::kDialSize, InstrumentPainter::kDialSize, kFace);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kDial);
    p.drawEllipse(QPointF(60.5, 60.5), 59.0, 59.0);
    for (int b = 0; b < 360; b += 10) {
        const bool major = b % 30 == 0;
        const QPoint outer = InstrumentPainter::dialPoint(b, 58);
        const QPoint inner = InstrumentPainter::dialPoint(b, major ? 51 : 54);
        p.setPen(QPen(kInk, major ? 2 : 1));
        p.drawLine(outer, inner);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

QPoint InstrumentPainter::dialPoint(double bearingDegrees, double radius)
{
    const double a = (180.0 - bearingDegrees) * std::numbers::pi / 180.0;
    return QPoint(60 + roundHalfUp(radius * std::sin(a)), 60 + roundHalfUp(radius * std::cos(a)));
}

InstrumentPainter::DepthPointer InstrumentPainter::depthPointer(double d)
{
    if (d <= 10.0)
        return {DepthScale::Meters10, int(d * 11.0), false};
    if (d <= 50.0)
        return {DepthScale::Meters50, int(d * 2.2), false};
    if (d <= 100.0)
        return {DepthScale::Meters100, int(d * 1.1), false};
    return {DepthScale::Meters100, 110, true};
}

QImage InstrumentPainter::windDial(int windAngle)
{
    QImage image(kDialSize, kDialSize, QImage::Format_RGB32);
    QPainter p(&image);
    drawDialFace(p);
    // Port (red) and starboard (green) sectors near the bow.
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF arc(60.5 - 47, 60.5 - 47, 94, 94);
    p.setPen(QPen(QColor(255, 0, 0), 5, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arc, (90 + 20) * 16, 40 * 16);
    p.setPen(QPen(QColor(0, 160, 0), 5, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arc, (90 - 60) * 16, 40 * 16);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kInk);
    p.setFont(smallFont(8));
    for (int b = 0; b <= 150; b += 30) {
        const QString text = QString::number(b);
        drawTextAt(p, dialPoint(b, 43), text);
        if (b != 0)
            drawTextAt(p, dialPoint(-b, 43), text);
    }
    p.setFont(smallFont(10, true));
    p.drawText(QRect(30, 72, 61, 13), Qt::AlignCenter, QStringLiteral("WIND"));
    drawValueBox(p, kWindValueBox);

    const int w = windAngle > 359 ? windAngle % 360 : windAngle;
    // The needle inverts what lies under it, whatever the pen colour.
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPoint(60, 60), dialPoint(w, 58));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(55, 55, 10, 10));
    return image;
}

QImage InstrumentPainter::courseRose(int course)
{
    QImage image(kDialSize, kDialSize, QImage::Format_RGB32);
    QPainter p(&image);
    drawDialFace(p);
    p.setPen(kInk);
    p.setFont(smallFont(10, true));
    const char* cardinals[] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i)
        drawTextAt(p, dialPoint(i * 90, 43), QString::fromLatin1(cardinals[i]));
    p.setFont(smallFont(7));
    for (int b = 30; b < 360; b += 30) {
        if (b % 90 != 0)
            drawTextAt(p, dialPoint(b, 43), QString::number(b));
    }
    p.setFont(smallFont(8, true));
    p.drawText(QRect(20, 71, 81, 13), Qt::AlignCenter, QStringLiteral("COURSE (geo)"));
    drawValueBox(p, kCourseValueBox);

    // XOR fill; the outline would be black, which XOR leaves unchanged.
    const QPolygon arrow{dialPoint(course + 200, 54), dialPoint(course, 58), dialPoint(course + 160, 54)};
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 128));
    p.drawPolygon(arrow);
    return image;
}

QImage InstrumentPainter::depthBar(double depth)
{
    const DepthPointer pointer = depthPointer(depth);
    const int fullScale = pointer.scale == DepthScale::Meters10 ? 10 : pointer.scale == DepthScale::Meters50 ? 50 : 100;
    QImage image(kBarWidth, kBarHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), kFace);
    p.setPen(kInk);
    p.drawLine(5, 37, 115, 37);
    for (int k = 0; k <= 10; ++k) {
        const int x = 5 + 11 * k;
        p.drawLine(x, k % 5 == 0 ? 29 : 33, x, 37);
    }
    p.setFont(smallFont(8));
    drawTextAt(p, QPoint(6, 7), QStringLiteral("0"));
    drawTextAt(p, QPoint(60, 7), QString::number(fullScale / 2));
    drawTextAt(p, QPoint(113, 7), QString::number(fullScale));
    p.setFont(smallFont(9, true));
    p.drawText(QRect(4, 41, 48, 13), Qt::AlignCenter, QStringLiteral("DEEP"));
    p.setFont(smallFont(9));
    p.drawText(QRect(80, 41, 40, 13), Qt::AlignCenter, QStringLiteral("Meter"));
    drawValueBox(p, kDepthValueBox);

    p.setPen(Qt::NoPen);
    p.setBrush(pointer.grey ? QColor(128, 128, 128) : QColor(255, 40, 0));
    const int x = pointer.x;
    p.drawPolygon(QPolygon{QPoint(x, 1), QPoint(x + 5, 36), QPoint(x + 10, 1)});
    return image;
}

} // namespace kesmar
