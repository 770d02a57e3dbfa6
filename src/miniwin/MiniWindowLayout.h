#pragma once
#include <QRect>
#include <QSize>

namespace kesmar {

// Window rectangles of the mini windows, in screen pixels. All rectangles
// here are frame rectangles (caption and border included).
class MiniWindowLayout {
public:
    // Arrange states: right column, left column, top row, bottom row.
    enum State { RightColumn = 0, LeftColumn = 1, TopRow = 2, BottomRow = 3 };

    // The frame of slot `slot` (1..count) in `state` over the chart view,
    // whose client area is `viewClient` big and lies at `viewOnScreen`.
    static QRect arrangeSlot(int state, int slot, int count, QSize viewClient, const QRect& viewOnScreen);

    // `frame` moved (and, when larger, shrunk) to lie wholly on `desktop`;
    // the top-left corner wins, so the caption stays reachable.
    static QRect keepOnDesktop(const QRect& frame, const QRect& desktop);

    // True when `frame` reaches outside `view` on any side.
    static bool reachesOutside(const QRect& frame, const QRect& view);
};

} // namespace kesmar
