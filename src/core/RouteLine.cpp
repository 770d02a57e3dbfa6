#include "core/RouteLine.h"

namespace kesmar {

bool RouteLine::append(ChartPoint point)
{
    if (full())
        return false;
    if (m_points.capacity() == 0)
        m_points.reserve(64);
    m_points.push_back(point);
    return true;
}

} // namespace kesmar
