#pragma once
#include "view/CommandIds.h"

#include <Qt>
#include <optional>

namespace kesmar {

// Accelerator table 128 of the main window: the key combinations that run a
// command wherever the keyboard focus is in the chart window. Modifiers must
// match exactly (Ctrl+Left is not Left).
std::optional<CommandId> acceleratorCommand(int qtKey, Qt::KeyboardModifiers modifiers);

// For a key the accelerators did not take: the key code the chart view hands
// to Viewport::ZoomPan (37-40 arrows, 107/109 pad plus/minus, 43 '+',
// 45 Insert or '-'), or 0 for every other key.
int zoomPanKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The ZoomPan code a view command runs (pan, half pan, zoom by pad and by
// step, whole world), or 0 for every other command.
int zoomPanCode(CommandId command);

} // namespace kesmar
