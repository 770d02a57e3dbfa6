// Decoding speed of packed .LIN records and of a whole section walk, the
// inner loop of every chart paint.
#include "chartdata/LineFile.h"
#include "chartdata/LineFileWriter.h"
#include "chartdata/PackedPointRecord.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace kesmar;

namespace {

std::vector<ChartPoint> walk(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> step(-3000, 3000);
    std::vector<ChartPoint> pts{{-3'240'000, 480'000}};
    while (int(pts.size()) < n)
        pts.push_back({pts.back().y + step(rng), pts.back().x + step(rng)});
    return pts;
}

void BM_DecodeRecord(benchmark::State& state)
{
    const auto pts = walk(int(state.range(0)), 1);
    std::vector<uint8_t> packed;
    PackedPointRecord::encode(pts, packed);
    std::vector<ChartPoint> out(PackedPointRecord::kMaxPoints);
    for (auto _ : state)
        benchmark::DoNotOptimize(PackedPointRecord::decode(packed, int(pts.size()), out));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DecodeRecord)->Arg(16)->Arg(1023);

void BM_WalkSection(benchmark::State& state)
{
    LineFileWriter writer;
    for (unsigned i = 0; i < 5000; ++i)
        writer.add(4, walk(30, i), 0, LineIndexEntry::kFillArea);
    LineFileWriter::Image image;
    writer.build(image);
    const LineFile file(image.wpn, image.lin);
    std::vector<ChartPoint> out(PackedPointRecord::kMaxPoints);
    for (auto _ : state) {
        int64_t points = 0;
        LineSection s = file.section(image.layerOffsets[4]);
        for (LineIndexEntry e; s.next(e);)
            points += file.decode(e, out);
        benchmark::DoNotOptimize(points);
    }
    state.SetItemsProcessed(state.iterations() * 5000 * 30);
}
BENCHMARK(BM_WalkSection);

} // namespace
