#include "settings/PaintBox.h"

#include <QImage>

namespace kesmar {

PaintBox::PaintBox(int id, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint))
{
    setObjectName(QString::number(id));
}

QImage PaintBox::render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    paint_(p, size());
    return image;
}

void PaintBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint_(p, size());
}

} // namespace kesmar
