#pragma once
#include "core/Measurement.h"
#include "core/RouteLine.h"
#include "view/ChartViewContext.h"
#include "view/CompanionLauncher.h"

#include <QObject>
#include <functional>

class QWidget;

namespace kesmar {

class ChartPopupMenu;
class MouseController;

// The chart view's own commands and gestures: measuring and the route help
// line (32784, 32837, 32840) with their check marks, the companion programs
// (32808, 32811) and the short help (32843), the mouse, and popup menu 102.
// Commands whose windows do not exist yet stay unbound and therefore greyed.
class ViewCommands : public QObject {
    Q_OBJECT
public:
    ViewCommands(QWidget& view, const ChartViewContext& context);
    ~ViewCommands() override;

    MouseController& mouse() { return *m_mouse; }
    Measurement& measurement() { return m_measurement; }
    const RouteLine& route() const { return m_route; }
    RouteLine& route() { return m_route; }
    ChartPopupMenu& popupMenu() { return *m_popup; }
    CompanionLauncher& launcher() { return m_launcher; }

    // After a zoom or pan made with the mouse (re-select charts, repaint).
    void setViewportChanged(std::function<void()> handler);

private:
    void bindCommands();
    void measuringChanged();

    QWidget& m_view;
    ChartViewContext m_context;
    Measurement m_measurement;
    RouteLine m_route;
    CompanionLauncher m_launcher;
    MouseController* m_mouse;
    ChartPopupMenu* m_popup;
};

} // namespace kesmar
