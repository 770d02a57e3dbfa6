#pragma once
#include "view/CommandIds.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QAction;

namespace kesmar {

// The command table of the main window: one QAction per CommandId, shared by
// the toolbar, the accelerators and every menu entry of that command. A
// command stays disabled (greyed button, greyed entries) until some part of
// the program binds a handler to it, so buttons whose feature is not there
// yet show as unavailable.
//
// Menus may name a command differently ("Instrumente" in the context menu,
// "&NMEA Panel " in the main menu): menuEntry() makes an extra action with
// its own text that mirrors the command's state and triggers it.
class CommandSet : public QObject {
    Q_OBJECT
public:
    explicit CommandSet(QObject* parent = nullptr);

    // The command's own action (created on first use with its main-menu text,
    // status prompt, tool tip and toolbar icon).
    QAction* action(CommandId id);

    // Binds the handler and enables the command; a second bind replaces the
    // first. Checkable commands set their check mark through action().
    void bind(CommandId id, std::function<void()> handler);
    void setCheckable(CommandId id, bool checkable);
    void setChecked(CommandId id, bool checked);
    bool isBound(CommandId id) const { return handlers_.contains(toInt(id)); }

    // Runs the command as a click would; false when it is not available.
    bool trigger(CommandId id);

    // Menu entries: the main menu's or the context menu's text for the
    // command, or a text of the caller's.
    QAction* mainMenuEntry(CommandId id, QObject* parent);
    QAction* popupMenuEntry(CommandId id, QObject* parent);
    QAction* menuEntry(CommandId id, const QString& text, QObject* parent);

    // Texts of the command table (empty when a command has none).
    static QString mainMenuText(CommandId id);
    static QString popupMenuText(CommandId id);
    static QString statusPrompt(CommandId id);
    static QString toolTip(CommandId id);

signals:
    // After a bound handler ran (for tests and status updates).
    void commandRun(kesmar::CommandId id);

private:
    void run(CommandId id);

    QHash<int, QAction*> actions_;
    QHash<int, std::function<void()>> handlers_;
};

} // namespace kesmar
