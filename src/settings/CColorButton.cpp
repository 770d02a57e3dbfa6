#include "settings/CColorButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kesmar {

CColorButton::CColorButton(int id, bool framed, QWidget* parent)
    : QAbstractButton(parent), id_(id), framed_(framed)
{
    setObjectName(QString::number(id));
    setFocusPolicy(Qt::NoFocus);
}

void CColorButton::setColour(QRgb rgb)
{
    if (colour_ == rgb) return;
    colour_ = rgb;
    update();
}

void CColorButton::setSelected(bool selected)
{
    if (selected_ == selected) return;
    selected_ = selected;
    update();
}

void CColorButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    if (framed_) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= selected_ ? QStyle::State_Sunken : QStyle::State_Raised;
        if (!selected_) option.state &= ~QStyle::State_Enabled;
        p.drawPrimitive(QStyle::PE_PanelButtonCommand, option);
    }
    p.fillRect(rect().adjusted(2, 2, -2, -2), QColor(colour_));
}

} // namespace kesmar
