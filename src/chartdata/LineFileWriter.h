#pragma once
#include "chartdata/LineIndexEntry.h"
#include "core/ChartPoint.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kesmar {

// Builds a chart's .WPN index and .LIN point file. Records are collected per
// section (the base areas and line layers 0-9); build() sorts each section
// north to south by yMin, packs the points and lays the sections out one
// after the other, each ended by a zero entry. Records must already respect
// the format's limits (see RecordSplitter for cutting larger geometry).
class LineFileWriter {
public:
    static constexpr int kBaseSection = -1;
    static constexpr int kLayerCount = 10;

    struct Image {
        QByteArray wpn;
        QByteArray lin;
        // Per layer: offset of its section in .WPN, -1 when the layer is empty.
        std::array<int32_t, kLayerCount> layerOffsets{};
        ChartBox bounds{};  // box of every point written (zero when none)
        int records = 0;
        int points = 0;
    };

    // Adds one record to `section` (kBaseSection or 0-9). Refuses (false,
    // `error` set) an unknown section, an empty list, more than 1023 points,
    // fewer than 3 points for an area, or a point outside the world.
    bool add(int section, std::span<const ChartPoint> points, uint8_t attribute, uint8_t fill,
             std::string* error = nullptr);

    int recordCount() const;

    // Packs everything. Fails (false, `error` set) only if .LIN would pass
    // the 4 GiB offset range or a layer offset the 2 GiB of the header.
    bool build(Image& image, std::string* error = nullptr) const;

private:
    struct Record {
        std::vector<ChartPoint> points;
        ChartBox box;
        uint8_t attribute;
        uint8_t fill;
    };
    std::array<std::vector<Record>, kLayerCount + 1> sections_;  // [0] = base
};

} // namespace kesmar
