// Chart drawing over arbitrary index and point bytes: the painter must cull,
// decode, project and clamp whatever the files hold without crashing.
// Input: 10 x i32 layer offsets, u8 zoom choice, u16 index length, then the
// index bytes followed by the point bytes.
#include "chartdata/ChartEntry.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFile.h"
#include "chartdata/LineFileCache.h"
#include "core/ByteReader.h"
#include "core/Viewport.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kesmar;
    ByteReader in(data, size);
    ChartEntry chart;
    for (int32_t& offset : chart.header.layerOffset)
        if (!in.i32(offset)) return 0;
    uint8_t zoom = 0;
    uint16_t indexLength = 0;
    if (!in.u8(zoom) || !in.u16(indexLength)) return 0;
    const size_t rest = in.remaining();
    const size_t wpnSize = indexLength < rest ? indexLength : rest;
    const char* bytes = reinterpret_cast<const char*>(data + in.position());
    LineFile file(QByteArray(bytes, qsizetype(wpnSize)), QByteArray(bytes + wpnSize, qsizetype(rest - wpnSize)));

    static const double kScales[4] = {0.0, 1.0, 0.01, Viewport::kMinimumScale};
    Viewport viewport;
    viewport.startUp({0, 0, 64, 48});
    const double scale = kScales[zoom & 3] > 0 ? kScales[zoom & 3] : viewport.worldScale();
    viewport.setView(scale, -420.0 + (zoom >> 2), 3240.0);

    chart.name = QStringLiteral("FUZZ");
    chart.flags = ChartEntry::Visible;
    chart.header.setBox({-kWorldHalfHeight, -kWorldHalfWidth, kWorldHalfHeight, kWorldHalfWidth});
    chart.visibleBox = viewport.visibleBox();
    LineFileCache cache;
    cache.put(QString(), chart.name, file);

    DrawOptions options;
    options.charts = std::span<const ChartEntry>(&chart, 1);
    options.files = &cache;
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    static ChartPainter chartPainter;
    chartPainter.paint(painter, viewport, options);
    return 0;
}
