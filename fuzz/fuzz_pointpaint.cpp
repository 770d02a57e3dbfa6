// Buoyage drawing over arbitrary point files and symbol library: blocks,
// offsets, record sizes, levels, texts and modifiers are whatever the bytes
// say; the painter must draw what is sound and never crash.
// Input: u8 zoom choice, u16 index length, u16 library length, then the
// index bytes, the library bytes and the point bytes.
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartEntry.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointFile.h"
#include "chartdata/PointPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "core/ByteReader.h"
#include "core/Viewport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

using namespace kesmar;

// Font configuration keeps its caches until exit; they are not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Texts and soundings are drawn too: they need a font database.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteReader in(data, size);
    uint8_t zoom = 0;
    uint16_t indexLength = 0;
    uint16_t libraryLength = 0;
    if (!in.u8(zoom) || !in.u16(indexLength) || !in.u16(libraryLength)) return 0;
    const char* rest = reinterpret_cast<const char*>(data + in.position());
    const size_t left = in.remaining();
    const size_t bwpSize = std::min<size_t>(indexLength, left);
    const size_t lbjSize = std::min<size_t>(libraryLength, left - bwpSize);
    const PointFile file = PointFile::fromBytes(QByteArray(rest, qsizetype(bwpSize)),
                                                QByteArray(rest + bwpSize + lbjSize,
                                                           qsizetype(left - bwpSize - lbjSize)));
    auto library = std::make_shared<const SymbolLibrary>(
        SymbolLibrary::fromBytes(QByteArrayView(rest + bwpSize, qsizetype(lbjSize))));

    static const double kScales[4] = {0.0, 1.0, 0.01, Viewport::kMinimumScale};
    Viewport viewport;
    viewport.startUp({0, 0, 64, 48});
    const double scale = kScales[zoom & 3] > 0 ? kScales[zoom & 3] : viewport.worldScale();
    viewport.setView(scale, -420.0 + (zoom >> 2), 3240.0);

    ChartEntry chart;
    chart.name = QStringLiteral("FUZZ");
    chart.flags = ChartEntry::Visible;
    chart.visibleBox = viewport.visibleBox();
    PointPainter points(library);
    points.putFile(QString(), chart.name, file);

    DrawOptions options;
    options.colours = ChartPainter::activeColours(ChartConfig(), false);
    options.charts = std::span<const ChartEntry>(&chart, 1);
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    points.draw(painter, viewport, options);
    return 0;
}
