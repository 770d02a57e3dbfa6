#include "view/InteractionOverlay.h"

#include "view/MouseController.h"

#include <QPainter>

namespace kesmar {

InteractionOverlay::InteractionOverlay(const MouseController& controller, QWidget& view)
    : QWidget(&view), controller_(controller)
{
    // Not opaque: the view below is painted first, which the inverting marks need.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(view.rect());
    raise();
    show();
}

void InteractionOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    controller_.paintOverlay(painter);
}

} // namespace kesmar
