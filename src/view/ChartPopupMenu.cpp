#include "view/ChartPopupMenu.h"

#include "view/CommandIcons.h"
#include "view/CommandIds.h"
#include "view/CommandSet.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace kesmar {

namespace {

using C = CommandId;
constexpr C kSeparator = static_cast<C>(0);

// Entries that show an image in front of their text.
constexpr C kWithImage[] = {
    C::PointInfo, C::ZoomIn,   C::ZoomOut,         C::PanUp,       C::PanDown,     C::PanLeft,
    C::PanRight,  C::WholeWorld, C::NmeaPanel,     C::NewRoute,    C::AppendRoute, C::WeatherTerminal,
    C::SynopViewer, C::Measure, C::MiniWindow1,    C::MiniWindow2, C::MiniWindow3, C::MiniWindow4,
    C::ArrangeMiniWindows,
};

// A buoy under a crosshair: the point information has no toolbar button.
QIcon pointInfoIcon()
{
    QPixmap pixmap(kToolbarIconSize, kToolbarIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(192, 0, 0));
    QPolygonF buoy;
    buoy << QPointF(9.5, 3) << QPointF(14, 15) << QPointF(5, 15);
    p.drawPolygon(buoy);
    p.setBrush(QColor(0, 96, 192));
    p.drawRect(QRectF(3.5, 15.5, 12, 2));
    p.setPen(QPen(QColor(0, 128, 0), 1));
    p.drawLine(QPointF(9.5, 0), QPointF(9.5, 18.5));
    p.drawLine(QPointF(0, 9.5), QPointF(18.5, 9.5));
    return QIcon(pixmap);
}

QIcon popupIcon(C id)
{
    if (std::find(std::begin(kWithImage), std::end(kWithImage), id) == std::end(kWithImage))
        return {};
    return id == C::PointInfo ? pointInfoIcon() : commandIcon(id);
}

} // namespace

ChartPopupMenu::ChartPopupMenu(CommandSet& commands, QWidget* parent) : QMenu(parent), commands_(commands)
{
    addEntries(*this, {C::PointInfo, kSeparator, C::ZoomIn, C::ZoomOut, C::WholeWorld,
                       kSeparator, C::PanUp, C::PanDown, C::PanLeft, C::PanRight,
                       kSeparator, C::Measure, C::NewRoute, C::AppendRoute, kSeparator,
                       C::NmeaPanel, kSeparator, C::MiniWindow1, C::MiniWindow2,
                       C::MiniWindow3, C::MiniWindow4, C::ArrangeMiniWindows, kSeparator});

    QMenu* weather = addMenu(tr("Wetter"));
    addEntries(*weather, {C::WeatherList, C::WeatherNorthSea, C::WeatherBaltic,
                          C::WeatherEurope1, C::WeatherEurope2, C::WeatherMediterranean,
                          C::WeatherNavtex, C::WeatherWarnings, kSeparator,
                          C::WeatherTerminal, C::SynopViewer});

    QMenu* settings = addMenu(tr("Karten"));
    addEntries(*settings, {C::ChartSelection, C::ChartColours, C::DetailSettings});

    QMenu* printer = addMenu(tr("Drucker"));
    addEntries(*printer, {C::FilePrint, C::FilePrintPreview, C::FilePrintSetup});

    addSeparator();
    addEntries(*this, {C::ViewToolbar, C::ViewStatusBar});

    for (QMenu* menu : {static_cast<QMenu*>(this), weather, settings, printer})
        menu->installEventFilter(this);
}

bool ChartPopupMenu::eventFilter(QObject* watched, QEvent* event)
{
    // A popup is a window of its own, where status prompts stop; hand them to
    // the view so that they reach the main window's status bar like the
    // prompts of the main menu.
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QCoreApplication::sendEvent(parentWidget(), event);
        return true;
    }
    return QMenu::eventFilter(watched, event);
}

void ChartPopupMenu::addEntries(QMenu& menu, std::initializer_list<CommandId> ids)
{
    for (C id : ids) {
        if (id == kSeparator) {
            menu.addSeparator();
            continue;
        }
        QAction* entry = commands_.popupMenuEntry(id, &menu);
        entry->setIcon(popupIcon(id));
        menu.addAction(entry);
    }
}

} // namespace kesmar
