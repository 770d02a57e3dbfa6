#include "miniwin/MiniWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {

int truncated(double value)
{
    return static_cast<int>(std::trunc(value));
}

} // namespace

QRect MiniWindowLayout::arrangeSlot(int state, int slot, int count, QSize viewClient, const QRect& viewOnScreen)
{
    if (count <= 0 || slot < 1 || slot > count)
        return {};
    const double w = viewClient.width();
    const double h = viewClient.height();
    const int left = viewOnScreen.left();
    const int top = viewOnScreen.top();
    // Exclusive right edge, as the window rectangle of the view has it.
    const int right = viewOnScreen.left() + viewOnScreen.width();
    const int i = slot;
    // Column slots: the heights add up to the view's height exactly.
    const int columnTop = top + 2 + truncated((i - 1) * h / count);
    const int columnHeight = truncated(i * h / count) - truncated((i - 1) * h / count);
    const int rowLeft = left + 2 + truncated((i - 1) * w / count);
    switch (state) {
    case RightColumn: {
        const int x = left + truncated(0.75 * w);
        return QRect(x, columnTop, right - 2 - x, columnHeight);
    }
    case LeftColumn:
        return QRect(left + 2, columnTop, truncated(0.25 * w) - 2, columnHeight);
    case TopRow:
        return QRect(rowLeft, top + 2, truncated(w / count), truncated(0.25 * h));
    case BottomRow:
        return QRect(rowLeft, top + 2 + truncated(0.75 * h), truncated(w / count), truncated(0.25 * h));
    default:
        return {};
    }
}

QRect MiniWindowLayout::keepOnDesktop(const QRect& frame, const QRect& desktop)
{
    if (desktop.isEmpty())
        return frame;
    QRect r(frame.topLeft(), frame.size().boundedTo(desktop.size()));
    if (r.right() > desktop.right())
        r.moveRight(desktop.right());
    if (r.bottom() > desktop.bottom())
        r.moveBottom(desktop.bottom());
    if (r.left() < desktop.left())
        r.moveLeft(desktop.left());
    if (r.top() < desktop.top())
        r.moveTop(desktop.top());
    return r;
}

bool MiniWindowLayout::reachesOutside(const QRect& frame, const QRect& view)
{
    return frame.left() < view.left() || frame.top() < view.top() || frame.right() > view.right()
           || frame.bottom() > view.bottom();
}

} // namespace kesmar
