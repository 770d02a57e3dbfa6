#pragma once
#include "chartdata/ChartError.h"
#include "chartdata/LogFont.h"
#include "chartdata/MiniWindowState.h"
#include "core/ViewportTypes.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kesmar {

// The chart settings block, stored raw as CHART.CFG: exactly 568 bytes,
// little-endian, no header or version.
//   0 8 x u32 carried, 32 LogFont carried, 92 f64 view scale, 100 f64 x offset,
//   108 f64 y offset, 116 u32 DetailFlags, 120 LogFont chart text font,
//   180 LogFont work text font, 240 16 x u32 screen colours (0x00BBGGRR),
//   304 16 x u32 printer colours, 368 u32 last mixing colour, 372 f64 symbol
//   size, 380 f64 text size, 388 4 x MiniWindowState, 564 u32 arrange state.
// A default-constructed ChartConfig holds the built-in defaults.
class ChartConfig {
public:
    static constexpr size_t kSize = 568;
    static constexpr double kDefaultScale = 6.5;
    static constexpr double kDefaultXOffset = -483.0;
    static constexpr double kDefaultYOffset = 2908.0;
    static constexpr double kDefaultSymbolSize = 0.025;
    static constexpr double kDefaultTextSize = 1.0;
    static constexpr double kMinSymbolSize = 0.005;
    static constexpr double kMaxSymbolSize = 0.060;
    static constexpr double kMinTextSize = 0.30;
    static constexpr double kMaxTextSize = 1.50;

    ChartConfig();

    std::array<uint32_t, 8> reserved{};
    LogFont reservedFont;
    double viewScale = kDefaultScale;
    double viewXOffset = kDefaultXOffset;
    double viewYOffset = kDefaultYOffset;
    uint32_t detailFlags = 0x0000FFFF;
    LogFont chartFont;
    LogFont workFont;
    std::array<uint32_t, 16> screenColours{};
    std::array<uint32_t, 16> printerColours{};
    uint32_t lastMixColour = 0;
    double symbolSize = kDefaultSymbolSize;
    double textSize = kDefaultTextSize;
    std::array<MiniWindowState, 4> miniWindows{};
    uint32_t arrangeState = 0;

    static std::array<uint32_t, 16> defaultScreenColours();
    static std::array<uint32_t, 16> defaultPrinterColours();

    // Reads up to 568 bytes over the current values: a short image overwrites
    // only its length (byte-wise, so a field cut in the middle mixes old and
    // new bytes, as a raw read would), the tail keeps its values. Afterwards
    // sanitize() runs.
    void readBytes(std::span<const uint8_t> bytes);
    QByteArray toBytes() const;
    // Values that would break the projection or the drawing fall back to the
    // defaults: a non-finite or non-positive view or mini-window scale,
    // non-finite offsets, a non-finite or out-of-range symbol or text size.
    void sanitize();

    static QString filePath(const QString& programFolder);
    // Fails when the file is missing or unreadable (the values stay).
    Status load(const QString& programFolder);
    // Replaces CHART.CFG atomically.
    std::optional<ChartError> save(const QString& programFolder) const;

    // The values the projection derives its working sizes from.
    ViewportStyle viewportStyle() const;
};

} // namespace kesmar
