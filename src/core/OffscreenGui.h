#pragma once

namespace kesmar {

// For a program that paints without a display (the offscreen platform unless
// QT_QPA_PLATFORM names another) and is run before its QGuiApplication:
// the offscreen platform's complaint about a missing runtime folder, which
// such a program never uses, is kept out of its output.
void prepareOffscreenGui();

} // namespace kesmar
