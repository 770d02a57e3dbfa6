#include "nmea/ui/InstrumentView.h"

#include <QPainter>

namespace kesmar {

InstrumentView::InstrumentView(QSize size, Renderer renderer, QWidget* parent)
    : QWidget(parent), renderer_(std::move(renderer))
{
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void InstrumentView::invalidate()
{
    ++invalidations_;
    update();
}

void InstrumentView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage image = renderer_();
    painter.fillRect(rect(), palette().window());
    painter.drawImage(0, 0, image);
}

} // namespace kesmar
