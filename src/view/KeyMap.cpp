#include "view/KeyMap.h"

#include "core/Viewport.h"

namespace kesmar {

namespace {

struct Accelerator {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool keypad; // only the numeric-pad key of that name
    CommandId command;
};

const Accelerator kAccelerators[] = {
    {Qt::Key_Left, Qt::NoModifier, false, CommandId::PanLeft},
    {Qt::Key_Right, Qt::NoModifier, false, CommandId::PanRight},
    {Qt::Key_Up, Qt::NoModifier, false, CommandId::PanUp},
    {Qt::Key_Down, Qt::NoModifier, false, CommandId::PanDown},
    {Qt::Key_Left, Qt::ShiftModifier, false, CommandId::PanLeftHalf},
    {Qt::Key_Right, Qt::ShiftModifier, false, CommandId::PanRightHalf},
    {Qt::Key_Up, Qt::ShiftModifier, false, CommandId::PanUpHalf},
    {Qt::Key_Down, Qt::ShiftModifier, false, CommandId::PanDownHalf},
    {Qt::Key_PageUp, Qt::NoModifier, false, CommandId::ZoomIn},
    {Qt::Key_PageDown, Qt::NoModifier, false, CommandId::ZoomOut},
    {Qt::Key_PageUp, Qt::ControlModifier, false, CommandId::WholeWorld},
    // The menu entry promises "Pos 1 / HOME" for the whole world.
    {Qt::Key_Home, Qt::NoModifier, false, CommandId::WholeWorld},
    {Qt::Key_Plus, Qt::ControlModifier, true, CommandId::ZoomInStep},
    {Qt::Key_Minus, Qt::ControlModifier, true, CommandId::ZoomOutStep},
    {Qt::Key_Tab, Qt::NoModifier, false, CommandId::DetailSettings},
    // The file menu shows "Strg+P" next to printing.
    {Qt::Key_P, Qt::ControlModifier, false, CommandId::FilePrint},
};

} // namespace

std::optional<CommandId> acceleratorCommand(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    const Qt::KeyboardModifiers plain = modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    for (const Accelerator& a : kAccelerators) {
        if (a.key == qtKey && a.modifiers == plain && (!a.keypad || keypad))
            return a.command;
    }
    return std::nullopt;
}

int zoomPanKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::AltModifier))
        return 0; // menu keys
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (qtKey) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    // Qt's codes for '+' and '-' are the ASCII values 43 and 45, which the
    // zoom steps accept as well.
    case Qt::Key_Plus: return keypad ? 107 : 43;
    case Qt::Key_Minus: return keypad ? 109 : 45;
    case Qt::Key_Insert: return 45;
    default: return 0;
    }
}

int zoomPanCode(CommandId command)
{
    switch (command) {
    case CommandId::PanLeft: return Viewport::PanLeft;
    case CommandId::PanRight: return Viewport::PanRight;
    case CommandId::PanUp: return Viewport::PanUp;
    case CommandId::PanDown: return Viewport::PanDown;
    case CommandId::ZoomIn: return Viewport::ZoomInPad;
    case CommandId::ZoomOut: return Viewport::ZoomOutPad;
    // These share their numbers with their ZoomPan codes.
    case CommandId::PanLeftHalf: case CommandId::PanRightHalf: case CommandId::PanUpHalf:
    case CommandId::PanDownHalf: case CommandId::WholeWorld: case CommandId::ZoomInStep:
    case CommandId::ZoomOutStep:
        return int(command);
    default: return 0;
    }
}

} // namespace kesmar
