// The weather map over an arbitrary station file: records of any bytes, cut
// anywhere; every observation time is decluttered, drawn and its reports
// turned into text. Input: u8 zoom choice, then the file's bytes.
#include "core/Viewport.h"
#include "weather/StationReportText.h"
#include "weather/SynopMapData.h"
#include "weather/SynopMapLayer.h"

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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const uint8_t zoom = data[0];
    SynopMapData map;
    map.loadBytes(QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)), QStringLiteral("fuzz"),
                  nullptr);
    static const double kScales[4] = {0.0, 1.0, 0.05, Viewport::kMinimumScale};
    Viewport viewport;
    viewport.startUp({0, 0, 96, 64});
    const double scale = kScales[zoom & 3] > 0 ? kScales[zoom & 3] : viewport.worldScale();
    viewport.setView(scale, -420.0, 3240.0);
    QImage image(96, 64, QImage::Format_RGB32);
    QPainter painter(&image);
    SynopMapLayer layer((zoom & 4) ? 2.0 : 1.0);
    layer.setVectorOutput(zoom & 8);
    for (uint32_t time : map.times()) {
        const std::vector<int> shown = map.indicesAt(time);
        layer.paint(painter, viewport, map, shown);
        for (int i : shown) (void)StationReportText::build(map.stations()[size_t(i)].record);
        (void)map.problemsAt(time);
    }
    return 0;
}
