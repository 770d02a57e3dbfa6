#include "core/RouteLine.h"

namespace kesmar {

bool RouteLine::append(ChartPoint point)
{
    if (full())
        return false;
    if (points_.capacity() == 0)
        points_.reserve(64);
    points_.push_back(point);
    return true;
}

} // namespace kesmar
