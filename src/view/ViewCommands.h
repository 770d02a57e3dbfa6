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

    MouseController& mouse() { return *mouse_; }
    Measurement& measurement() { return measurement_; }
    const RouteLine& route() const { return route_; }
    RouteLine& route() { return route_; }
    ChartPopupMenu& popupMenu() { return *popup_; }
    CompanionLauncher& launcher() { return launcher_; }

    // After a zoom or pan made with the mouse (re-select charts, repaint).
    void setViewportChanged(std::function<void()> handler);

private:
    void bindCommands();
    void measuringChanged();

    QWidget& view_;
    ChartViewContext context_;
    Measurement measurement_;
    RouteLine route_;
    CompanionLauncher launcher_;
    MouseController* mouse_;
    ChartPopupMenu* popup_;
};

} // namespace kesmar
