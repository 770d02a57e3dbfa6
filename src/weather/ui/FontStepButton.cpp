#include "weather/ui/FontStepButton.h"

#include <QPainter>
#include <QPixmap>

namespace kesmar {

FontStepButton::FontStepButton(QWidget* parent) : QPushButton(parent)
{
    setObjectName(QStringLiteral("fontButton1163"));
    setIcon(QIcon(picture()));
    setIconSize({kSide, kSide});
    setFixedSize(sizeHint());
    setToolTip(tr("Schriftgröße"));
    setAutoDefault(false);
}

QPixmap FontStepButton::picture()
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(QColor(0xE8, 0xE8, 0xE0));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawRect(QRectF(1, 1, kSide - 2, kSide - 2));
    QFont big(QStringLiteral("serif"));
    big.setPixelSize(72);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(0x10, 0x30, 0x80));
    p.drawText(QRect(8, 14, 70, 92), Qt::AlignCenter, QStringLiteral("A"));
    QFont small = big;
    small.setPixelSize(34);
    p.setFont(small);
    p.drawText(QRect(70, 54, 44, 52), Qt::AlignCenter, QStringLiteral("a"));
    p.setPen(QPen(QColor(0x10, 0x30, 0x80), 3));
    p.drawLine(QPointF(72, 26), QPointF(108, 26));
    p.drawLine(QPointF(100, 18), QPointF(108, 26));
    p.drawLine(QPointF(100, 34), QPointF(108, 26));
    return pixmap;
}

} // namespace kesmar
