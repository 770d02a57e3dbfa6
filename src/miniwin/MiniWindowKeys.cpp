#include "miniwin/MiniWindowKeys.h"

#include "core/Viewport.h"

namespace kesmar {

std::optional<int> miniWindowKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (qtKey) {
    case Qt::Key_PageUp: return Viewport::ZoomInPad;     // 33: scale x 0.5
    case Qt::Key_PageDown: return Viewport::ZoomOutStep; // 34: scale x 1.2
    case Qt::Key_Left: return Viewport::PanLeft;
    case Qt::Key_Up: return Viewport::PanUp;
    case Qt::Key_Right: return Viewport::PanRight;
    case Qt::Key_Down: return Viewport::PanDown;
    case Qt::Key_Plus: return keypad ? Viewport::ZoomInPad : Viewport::ZoomIn;
    case Qt::Key_Insert: return Viewport::ZoomOut;       // 45: scale x 2
    case Qt::Key_Minus:
        if (keypad) return Viewport::ZoomOutPad;
        return std::nullopt;
    default: return std::nullopt;
    }
}

} // namespace kesmar
