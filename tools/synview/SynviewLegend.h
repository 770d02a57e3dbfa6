#pragma once
#include <QImage>

namespace kesmar {

// The key to the station model: the 100 present-weather symbols with their
// code figures, total cloud cover, low cloud types and tendency figures.
class SynviewLegend {
public:
    static QImage render();
};

} // namespace kesmar
