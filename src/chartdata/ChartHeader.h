#pragma once
#include "chartdata/ChartError.h"
#include "core/ChartPoint.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kesmar {

class ByteReader;
class ByteWriter;

// The 64-byte chart header, file <name>.HDR; bytes after the first 64 are
// ignored. Little-endian:
//   0 i32 yMin (north edge), 4 i32 xMin (west), 8 i32 yMax (south), 12 i32 xMax (east),
//   16 10 x i32 layerOffset: offset of line layer k's index section in <name>.WPN,
//      negative when the chart has no such layer,
//   56 8 bytes carried unchanged.
struct ChartHeader {
    static constexpr size_t kSize = 64;
    static constexpr int kLayerCount = 10;

    int32_t yMin = 0;
    int32_t xMin = 0;
    int32_t yMax = 0;
    int32_t xMax = 0;
    std::array<int32_t, kLayerCount> layerOffset{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::array<uint8_t, 8> reserved{};

    ChartBox box() const { return {yMin, xMin, yMax, xMax}; }
    void setBox(const ChartBox& b) { yMin = b.top; xMin = b.left; yMax = b.bottom; xMax = b.right; }
    bool hasLayer(int k) const { return k >= 0 && k < kLayerCount && layerOffset[size_t(k)] >= 0; }

    // Reads 64 bytes at the reader's position; false (reader failed) when fewer remain.
    bool read(ByteReader& in);
    void write(ByteWriter& out) const;
    // nullopt when fewer than 64 bytes are given.
    static std::optional<ChartHeader> fromBytes(std::span<const uint8_t> bytes);
    QByteArray toBytes() const;

    // Reads a header file. A file that cannot be opened or is shorter than
    // 64 bytes gives a HeaderMissing error (chart name = file stem).
    static std::optional<ChartHeader> readFile(const QString& path, ChartError* error = nullptr);
    // Replaces the file atomically; nullopt on success.
    std::optional<ChartError> writeFile(const QString& path) const;
    // ProgramFolder + "/CHARTDATA/" + name + ".HDR", matched case-insensitively.
    static QString pathFor(const QString& programFolder, const QString& chartName);

    friend bool operator==(const ChartHeader&, const ChartHeader&) = default;
};

} // namespace kesmar
