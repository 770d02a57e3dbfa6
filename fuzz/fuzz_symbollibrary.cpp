// BUOYAGE.LBJ from arbitrary bytes: the reader keeps only elements whose
// points lie inside the first 32 767 bytes, and every entry draws at any size
// without crashing.
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "chartdata/SymbolPainter.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

using namespace kesmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const SymbolLibrary lib = SymbolLibrary::fromBytes(bytes);
    const size_t used = std::min<size_t>(size - 1, size_t(SymbolLibrary::kMaxBytes));
    for (int k = 0; k < SymbolLibrary::kEntryCount; ++k)
        for (const SymbolLibrary::Element& e : lib.entry(k))
            if (e.points.empty() || e.points.size() * SymbolLibrary::kPointSize > used)
                __builtin_trap();
    static const double kSizes[4] = {0.025, 0.0375, 1.0, 1e-6};
    static const ColourTable colours = ChartPainter::activeColours(ChartConfig(), false);
    QImage image(48, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    SymbolPainter s(painter, lib, colours);
    s.setOrigin({24, 40});
    s.setSize(kSizes[data[0] & 3]);
    s.setPattern(PointPattern(data[0] >> 6));
    s.setPointColours(colours.colour(data[0]), colours.colour(data[0] >> 4));
    for (int k = -1; k <= SymbolLibrary::kEntryCount; ++k) s.drawSymbol(k);
    for (int type = 0; type <= SymbolPainter::kTopmarkTypes; ++type)
        for (int variant = 0; variant < 16; ++variant) s.drawTopmark(type, variant);
    return 0;
}
