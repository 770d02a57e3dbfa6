#include "chartdata/ChartStyleCache.h"

namespace kesmar {

ChartStyleCache::ChartStyleCache() = default;

void ChartStyleCache::use(const ColourTable& colours)
{
    if (built_ && colours == colours_) return;
    colours_ = colours;
    rebuild();
}

void ChartStyleCache::rebuild()
{
    // Style 0 stands for an inside-frame pen, which at one pixel is solid;
    // styles 2 and 3 are both dotted.
    static constexpr Qt::PenStyle kStyles[4] = {Qt::SolidLine, Qt::DashDotDotLine, Qt::DotLine,
                                                 Qt::DotLine};
    static constexpr Qt::BrushStyle kBrushes[3] = {Qt::SolidPattern, Qt::DiagCrossPattern,
                                                    Qt::FDiagPattern};
    for (int c = 0; c < ColourTable::kSize; ++c) {
        const QColor colour = colours_.colour(c);
        for (int s = 0; s < 4; ++s) {
            QPen p(colour, 0, kStyles[s], Qt::FlatCap, Qt::MiterJoin);
            p.setCosmetic(true);
            pens_[size_t(c)][size_t(s)] = p;
        }
        for (int b = 0; b < 3; ++b) brushes_[size_t(c)][size_t(b)] = QBrush(colour, kBrushes[b]);
    }
    built_ = true;
}

} // namespace kesmar
