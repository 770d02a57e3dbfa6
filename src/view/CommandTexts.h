#pragma once
#include "view/CommandIds.h"

namespace kesmar {

// One row of the command table. Texts are untranslated source strings
// (context "CommandSet"); a null pointer means the command has no such text.
struct CommandText {
    CommandId id;
    const char* mainMenu; // text in the main menu
    const char* popupMenu; // text in the chart's context menu
    const char* prompt;   // status bar prompt while the entry is highlighted
    const char* toolTip;  // toolbar tool tip; the prompt when null
};

// The row of `id`, or nullptr for a command without texts.
const CommandText* commandText(CommandId id);

} // namespace kesmar
