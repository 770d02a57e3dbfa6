#include "chartdata/PageDecoration.h"

#include <QFont>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {

// Degrees by integer division of the truncated minutes, then the remaining minutes.
void splitMinutes(double minutes, int& degrees, double& rest)
{
    degrees = int(std::trunc(minutes)) / 60;
    rest = minutes - degrees * 60.0;
}

QFont pageFont(const QString& family, double pixelHeight, bool italic)
{
    QFont font(family);
    font.setStyleHint(family.startsWith(QLatin1String("Times")) ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(std::max(1, int(pixelHeight)));
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

} // namespace

QString PageDecoration::cornerLabel(const Viewport& viewport, bool topLeft)
{
    const PixelRect& w = viewport.windowRect();
    const int px = topLeft ? w.left : w.right;
    const int py = topLeft ? w.top : w.bottom;
    double lat = (viewport.centreY() - py) * viewport.scaleY() + viewport.yOffset();
    double lon = (viewport.centreX() - px) * viewport.scaleX() + viewport.xOffset();
    char ns = 'N';
    if (lat < 0) { ns = 'S'; lat = -lat; }
    if (lat > 5400) lat = 5400;
    char ew = 'W';
    if (lon < 0) { ew = 'E'; lon = -lon; }
    int latDeg = 0, lonDeg = 0;
    double latMin = 0, lonMin = 0;
    splitMinutes(lat, latDeg, latMin);
    splitMinutes(lon, lonDeg, lonMin);
    const char* format = topLeft ? " TOP / LEFT: %02d°%06.3f%c - %03d°%06.3f%c"
                                 : "BOT / RIGHT: %02d°%06.3f%c - %03d°%06.3f%c ";
    return QString::asprintf(format, latDeg, latMin, ns, lonDeg, lonMin, ew);
}

void PageDecoration::draw(QPainter& painter, const Viewport& viewport, double dotsPerInch,
                          const SymbolHook& symbol)
{
    const double cm = pixelsPerCentimetre(dotsPerInch);
    auto len = [cm](double centimetres) { return int(centimetres * cm); };
    const int right = viewport.windowRect().right;
    const int bottom = viewport.windowRect().bottom;
    const int mx = viewport.marginX();
    const int my = viewport.marginY();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(Qt::NoBrush);

    const QPoint outer[5] = {{0, 0}, {right + mx, 0}, {right + mx, bottom + my}, {0, bottom + my}, {0, 0}};
    // A white pen as wide as the margin clears the outer half of the margins
    // of chart lines that ran into them.
    painter.setPen(QPen(Qt::white, std::max(1, mx), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(outer, 5);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(outer, 5);
    const int hx = mx / 2, hy = my / 2;
    const QPoint inner[5] = {{hx, hy}, {right + hx, hy}, {right + hx, bottom + hy}, {hx, bottom + hy}, {hx, hy}};
    painter.drawPolyline(inner, 5);

    const int rb = right + hx, bb = bottom + hy;
    const int lb = rb - len(7.0), tb = bb - len(2.5);
    painter.fillRect(QRect(QPoint(lb, tb), QPoint(rb - 1, bb - 1)), Qt::white);
    painter.drawLine(lb, bb, lb, tb);
    painter.drawLine(lb, tb, rb, tb);
    painter.drawLine(lb, tb + len(1.0), rb, tb + len(1.0));

    if (symbol)
        symbol(painter, QPoint(lb + len(0.8), tb + len(0.5)), printScreenRatio(dotsPerInch) * 0.025);

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(QColor(255, 40, 0));
    painter.setFont(pageFont(QStringLiteral("Times New Roman"), 0.45 * cm, true));
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.drawText(QRect(QPoint(lb + len(1.5), tb), QPoint(rb - 1, tb + len(1.0) - 1)), flags,
                     QString::fromLatin1(kTitle));

    painter.setPen(Qt::black);
    painter.setFont(pageFont(QStringLiteral("Arial"), 0.3 * cm, false));
    painter.drawText(QRect(QPoint(lb + len(0.3), tb + len(1.0)), QPoint(rb - 1, tb + len(2.0) - 1)),
                     flags, cornerLabel(viewport, true));
    painter.drawText(QRect(QPoint(lb + len(0.3), tb + len(1.5)), QPoint(rb - 1, tb + len(2.5) - 1)),
                     flags, cornerLabel(viewport, false));
    painter.restore();
}

} // namespace kesmar
