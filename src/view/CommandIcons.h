#pragma once
#include "view/CommandIds.h"

#include <QIcon>

namespace kesmar {

// The 19 x 19 toolbar image of a command, drawn in code; a null icon for
// commands without a button. Greyed images for disabled buttons come from
// QIcon itself.
QIcon commandIcon(CommandId id);

// Side length of a toolbar image in pixels.
constexpr int kToolbarIconSize = 19;

} // namespace kesmar
