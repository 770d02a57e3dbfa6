#include "miniwin/MiniWindowMenu.h"

#include "view/CommandIcons.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>

namespace kesmar {

namespace {

using C = CommandId;

// A buoy under a crosshair for "Bojen-Info anzeigen".
QIcon buoyInfoIcon()
{
    QPixmap pixmap(kToolbarIconSize, kToolbarIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(0, 128, 0));
    QPolygonF buoy;
    buoy << QPointF(9.5, 3) << QPointF(14, 15) << QPointF(5, 15);
    p.drawPolygon(buoy);
    p.setPen(QPen(QColor(192, 0, 0), 1));
    p.drawLine(QPointF(9.5, 0), QPointF(9.5, 18.5));
    p.drawLine(QPointF(0, 9.5), QPointF(18.5, 9.5));
    return QIcon(pixmap);
}

struct Entry {
    C id;
    const char* text;
};

constexpr C kSeparator = static_cast<C>(0);

const Entry kEntries[] = {
    {C::PointInfo, QT_TRANSLATE_NOOP("MiniWindowMenu", "Bojen-Info anzeigen")},
    {C::PanLeft, QT_TRANSLATE_NOOP("MiniWindowMenu", "Karte links mehr anzeigen (Cursor links)")},
    {C::PanRight, QT_TRANSLATE_NOOP("MiniWindowMenu", "Karte rechts mehr anzeigen (Cursor rechts)")},
    {C::PanUp, QT_TRANSLATE_NOOP("MiniWindowMenu", "Karte oben mehr anzeigen (Cursor hoch)")},
    {C::PanDown, QT_TRANSLATE_NOOP("MiniWindowMenu", "Karte unten mehr anzeigen (Cursor runter)")},
    {kSeparator, nullptr},
    {C::ZoomIn, QT_TRANSLATE_NOOP("MiniWindowMenu", "Zoom in (+)  - vergrößern x 2")},
    {C::ZoomOut, QT_TRANSLATE_NOOP("MiniWindowMenu", "Zoom out (-)  verkleinern / 2")},
    {kSeparator, nullptr},
    {C::WholeWorld, QT_TRANSLATE_NOOP("MiniWindowMenu", "Die volle Welt anzeigen (Pos 1 / HOME)")},
};

} // namespace

MiniWindowMenu::MiniWindowMenu(std::function<void(CommandId)> handler, QWidget* parent)
    : QMenu(parent), handler_(std::move(handler))
{
    for (const Entry& e : kEntries) {
        if (e.id == kSeparator) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(tr(e.text));
        action->setData(toInt(e.id));
        action->setIcon(e.id == C::PointInfo ? buoyInfoIcon() : commandIcon(e.id));
        const C id = e.id;
        connect(action, &QAction::triggered, this, [this, id] {
            if (handler_) handler_(id);
        });
    }
}

QAction* MiniWindowMenu::entry(CommandId id) const
{
    for (QAction* action : actions())
        if (!action->isSeparator() && action->data().toInt() == toInt(id))
            return action;
    return nullptr;
}

} // namespace kesmar
