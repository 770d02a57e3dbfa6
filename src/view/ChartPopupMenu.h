#pragma once
#include "view/CommandIds.h"

#include <QMenu>
#include <initializer_list>

namespace kesmar {

class CommandSet;

// Popup menu 102, the chart's context menu: pan and zoom, point
// information, measuring and routes, mini windows, weather, settings,
// printing and the bars. Entries mirror their commands' state (greyed,
// checked) and carry the menu item images.
class ChartPopupMenu : public QMenu {
    Q_OBJECT
public:
    ChartPopupMenu(CommandSet& commands, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addEntries(QMenu& menu, std::initializer_list<CommandId> ids);

    CommandSet& commands_;
};

} // namespace kesmar
