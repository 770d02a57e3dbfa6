#pragma once

class QMenuBar;
class QToolBar;

namespace kesmar {

class CommandSet;

// The main menu of the frame; entries of commands nobody has bound yet are
// greyed. Texts come from the command table.
void buildMainMenu(QMenuBar& menuBar, CommandSet& commands);

// The buttons of toolbar 128 in their order, separators between the groups.
void buildToolbar(QToolBar& toolBar, CommandSet& commands);

} // namespace kesmar
