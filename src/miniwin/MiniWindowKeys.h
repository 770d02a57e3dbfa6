#pragma once
#include <Qt>
#include <optional>

namespace kesmar {

// The key table of a mini window: the Viewport::ZoomPan code a key press
// runs, or nullopt for every other key (nothing changes, no repaint).
// Shift and Ctrl are not looked at; only the keypad flag tells pad plus and
// minus from the main keys. Page Down zooms out by 1.2, Page Up in by 2.
std::optional<int> miniWindowKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace kesmar
