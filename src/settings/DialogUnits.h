#pragma once
#include <QRect>

namespace kesmar {

// Dialog units of the pages' 8-point layout in pixels (x 3/2, y 13/8).
inline QRect dialogRect(int x, int y, int w, int h)
{
    return QRect(x * 3 / 2, y * 13 / 8, w * 3 / 2, h * 13 / 8);
}

} // namespace kesmar
