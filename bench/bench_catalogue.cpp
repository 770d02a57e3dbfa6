// The work done after every zoom or pan: clamp, then chart selection over a
// full catalogue; and the projection every drawn point goes through.
#include "chartdata/ChartCatalogue.h"
#include "core/Viewport.h"

#include <benchmark/benchmark.h>

using namespace kesmar;

namespace {

ChartCatalogue fullCatalogue()
{
    ChartCatalogue c;
    c.setViewSize(1280, 900);
    for (int i = 0; i < ChartCatalogue::kCapacity; ++i) {
        ChartHeader h;
        const int size = 100'000 + (i % 10) * 400'000;
        h.setBox({-3'600'000 + (i / 10) * 60'000, -600'000 + (i % 10) * 90'000,
                  -3'600'000 + (i / 10) * 60'000 + size / 2, -600'000 + (i % 10) * 90'000 + size});
        c.addHeader(QStringLiteral("CHART%1").arg(i), h);
    }
    c.rescaleAll();
    return c;
}

void BM_ZoomPanAndSelect(benchmark::State& state)
{
    ChartCatalogue catalogue = fullCatalogue();
    Viewport viewport;
    viewport.startUp({0, 0, 1280, 900});
    viewport.restoreView(0.5, -483.0, 2908.0);
    int step = 0;
    for (auto _ : state) {
        viewport.ZoomPan(0, 0, 0, 0, (step++ & 1) ? Viewport::PanLeft : Viewport::PanRight);
        catalogue.selectForViewport(viewport);
        benchmark::DoNotOptimize(catalogue.chartsAvailable());
    }
}
BENCHMARK(BM_ZoomPanAndSelect);

void BM_ProjectPoints(benchmark::State& state)
{
    Viewport viewport;
    viewport.startUp({0, 0, 1280, 900});
    viewport.restoreView(0.05, -483.0, 2908.0);
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < 100'000; ++i) {
            const QPoint p = viewport.projectClamped({-2'908'000 + i * 3, 483'000 - i * 2});
            sum += p.x() + p.y();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_ProjectPoints);

} // namespace
