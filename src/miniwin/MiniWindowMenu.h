#pragma once
#include "view/CommandIds.h"

#include <QMenu>

#include <functional>

namespace kesmar {

// Context menu 103 of a mini window: buoy information, the four pans and
// the zooms, each with its small picture where a check mark would stand.
// Its commands go back to the window it belongs to.
class MiniWindowMenu : public QMenu {
    Q_OBJECT
public:
    explicit MiniWindowMenu(std::function<void(CommandId)> handler, QWidget* parent = nullptr);

    // The entry of `id`, or nullptr (tests).
    QAction* entry(CommandId id) const;

private:
    std::function<void(CommandId)> handler_;
};

} // namespace kesmar
