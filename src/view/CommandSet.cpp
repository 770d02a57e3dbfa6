#include "view/CommandSet.h"

#include "view/CommandIcons.h"
#include "view/CommandTexts.h"

#include <QAction>
#include <QCoreApplication>

namespace kesmar {

namespace {

QString translated(const char* text)
{
    return text ? QCoreApplication::translate("CommandSet", text) : QString();
}

} // namespace

CommandSet::CommandSet(QObject* parent) : QObject(parent) {}

QString CommandSet::mainMenuText(CommandId id)
{
    const CommandText* row = commandText(id);
    return row ? translated(row->mainMenu) : QString();
}

QString CommandSet::popupMenuText(CommandId id)
{
    const CommandText* row = commandText(id);
    return row ? translated(row->popupMenu) : QString();
}

QString CommandSet::statusPrompt(CommandId id)
{
    const CommandText* row = commandText(id);
    return row ? translated(row->prompt) : QString();
}

QString CommandSet::toolTip(CommandId id)
{
    const CommandText* row = commandText(id);
    if (!row)
        return QString();
    return row->toolTip ? translated(row->toolTip) : translated(row->prompt);
}

QAction* CommandSet::action(CommandId id)
{
    const int key = toInt(id);
    if (QAction* existing = actions_.value(key))
        return existing;
    auto* act = new QAction(this);
    QString text = mainMenuText(id);
    if (text.isEmpty())
        text = popupMenuText(id);
    act->setText(text);
    act->setStatusTip(statusPrompt(id));
    act->setToolTip(toolTip(id));
    act->setIcon(commandIcon(id));
    act->setEnabled(false);
    // Accelerators are dispatched by the chart view's key table, not by Qt
    // shortcuts; the "\tStrg+P" in a text is only a label.
    connect(act, &QAction::triggered, this, [this, id] { run(id); });
    actions_.insert(key, act);
    return act;
}

void CommandSet::bind(CommandId id, std::function<void()> handler)
{
    handlers_.insert(toInt(id), std::move(handler));
    action(id)->setEnabled(true);
}

void CommandSet::setCheckable(CommandId id, bool checkable)
{
    action(id)->setCheckable(checkable);
}

void CommandSet::setChecked(CommandId id, bool checked)
{
    QAction* act = action(id);
    act->setCheckable(true);
    act->setChecked(checked);
}

bool CommandSet::trigger(CommandId id)
{
    QAction* act = action(id);
    if (!act->isEnabled() || !isBound(id))
        return false;
    act->trigger();
    return true;
}

void CommandSet::run(CommandId id)
{
    const auto it = handlers_.constFind(toInt(id));
    if (it == handlers_.constEnd())
        return;
    // Copy: the handler may rebind the command while it runs.
    const std::function<void()> handler = it.value();
    handler();
    emit commandRun(id);
}

QAction* CommandSet::mainMenuEntry(CommandId id, QObject* parent)
{
    return menuEntry(id, mainMenuText(id), parent);
}

QAction* CommandSet::popupMenuEntry(CommandId id, QObject* parent)
{
    return menuEntry(id, popupMenuText(id), parent);
}

QAction* CommandSet::menuEntry(CommandId id, const QString& text, QObject* parent)
{
    QAction* command = action(id);
    auto* entry = new QAction(text, parent);
    entry->setStatusTip(command->statusTip());
    const auto mirror = [entry, command] {
        entry->setEnabled(command->isEnabled());
        entry->setCheckable(command->isCheckable());
        entry->setChecked(command->isChecked());
        entry->setVisible(command->isVisible());
    };
    mirror();
    connect(command, &QAction::changed, entry, mirror);
    // The entry's own toggle is undone by the mirror once the handler has set
    // the command's real state.
    connect(entry, &QAction::triggered, command, [command, mirror] {
        if (command->isEnabled())
            command->trigger();
        mirror();
    });
    return entry;
}

} // namespace kesmar
