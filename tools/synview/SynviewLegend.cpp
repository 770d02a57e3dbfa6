#include "SynviewLegend.h"

#include "weather/PresentWeatherSymbol.h"
#include "weather/StationSymbols.h"

#include <QPainter>

namespace kesmar {

namespace {
constexpr int kCell = 56;
constexpr int kMargin = 16;
} // namespace

QImage SynviewLegend::render()
{
    const int width = kMargin * 2 + kCell * 10;
    const int height = kMargin * 2 + kCell * 14 + 40;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    auto cellAt = [](int row, int column) { return QPoint(kMargin + column * kCell, kMargin + 20 + row * kCell); };
    p.drawText(kMargin, kMargin + 10, QStringLiteral("Wetter (ww), Bedeckung (N), tiefe Wolken (CL), Tendenz (a)"));
    for (int ww = 0; ww < 100; ++ww) {
        const QPoint c = cellAt(ww / 10, ww % 10);
        p.setPen(QColor(200, 200, 200));
        p.drawRect(QRect(c, QSize(kCell, kCell)));
        p.setPen(Qt::black);
        p.drawText(c + QPoint(3, 11), QStringLiteral("%1").arg(ww, 2, 10, QLatin1Char('0')));
        PresentWeatherSymbol::draw(p, c + QPointF(kCell / 2.0, kCell / 2.0 + 4), 14, ww,
                                   PresentWeatherSymbol::colour(PresentWeatherSymbol::kind(ww)));
    }
    const char cover[] = "0123456789/";
    for (int i = 0; i < 10; ++i) {
        const QPoint c = cellAt(10, i);
        p.drawText(c + QPoint(3, 11), QStringLiteral("N %1").arg(QLatin1Char(cover[i])));
        StationSymbols::drawCloudCover(p, c + QPointF(kCell / 2.0, kCell / 2.0 + 4), 12, cover[i], Qt::black);
    }
    const QPoint missing = cellAt(11, 0);
    p.drawText(missing + QPoint(3, 11), QStringLiteral("N /"));
    StationSymbols::drawCloudCover(p, missing + QPointF(kCell / 2.0, kCell / 2.0 + 4), 12, '/', Qt::black);
    for (int i = 1; i <= 9; ++i) {
        const QPoint c = cellAt(12, i - 1);
        p.drawText(c + QPoint(3, 11), QStringLiteral("CL %1").arg(i));
        StationSymbols::drawLowCloud(p, c + QPointF(kCell / 2.0, kCell / 2.0 + 4), 14, char('0' + i), Qt::black);
    }
    for (int a = 0; a <= 8; ++a) {
        const QPoint c = cellAt(13, a);
        p.drawText(c + QPoint(3, 11), QStringLiteral("a %1").arg(a));
        StationSymbols::drawTendency(p, c + QPointF(kCell / 2.0, kCell / 2.0 + 4), 12, a, Qt::black);
    }
    return image;
}

} // namespace kesmar
