#include "chartdata/PointSizing.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

PointSizing PointSizing::forLevel(int level, double d, double scale, double printFactor, bool printing)
{
    PointSizing s;
    s.raw = d * 32.0 / (scale * std::pow(2.0, level / 13.47));
    if (!printing) {
        s.symbol = s.text = std::min(s.raw, 1.5 * d);
        return s;
    }
    const double f = s.raw * printFactor;
    s.text = std::min(f, 1.5 * d);
    s.symbol = std::min(f, printFactor * printFactor * d);
    return s;
}

int PointSizing::fontHeight(int height, double d, double text)
{
    if (!(text > 0.0) || !(d > 0.0)) return 0;
    const double ratio = d / text;
    const double h = std::trunc(height / (ratio * ratio));
    // Absurd ratios (a level far beyond the zoom) give nothing drawable.
    return h > -1e6 && h < 1e6 ? int(h) : 0;
}

} // namespace kesmar
