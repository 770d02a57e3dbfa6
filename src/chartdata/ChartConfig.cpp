#include "chartdata/ChartConfig.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/FileUtil.h"
#include "core/QtBytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace kesmar {

static_assert(ChartConfig::kSize == 8 * 4 + LogFont::kSize + 3 * 8 + 4 + 2 * LogFont::kSize + 2 * 16 * 4 + 4
                                        + 2 * 8 + 4 * MiniWindowState::kSize + 4);

ChartConfig::ChartConfig()
    : reserved{0, 0, 0x0000D000, 0, 0x0000D8FF, 0, 0x00FEF263, 0}
    , reservedFont(LogFont::make(-9, 400, 0x31, "Arial"))
    , chartFont(LogFont::make(-8, 300, 0x22, "Arial"))
    , workFont(LogFont::make(-8, 400, 0x22, "Arial"))
    , screenColours(defaultScreenColours())
    , printerColours(defaultPrinterColours())
{
    for (int i = 0; i < 4; ++i)
        miniWindows[size_t(i)] = MiniWindowState::defaults(i);
}

std::array<uint32_t, 16> ChartConfig::defaultScreenColours()
{
    return {0xC0C0C0, 0x000000, 0xFFFFFF, 0x808080, 0xA81818, 0x00D8FF, 0xD00000, 0xA87270,
            0xE05000, 0x00D000, 0xFF8000, 0xFF00FF, 0x608828, 0x0028FF, 0x006090, 0x0080A8};
}

std::array<uint32_t, 16> ChartConfig::defaultPrinterColours()
{
    return {0xC0C0C0, 0x000000, 0xFFFFFE, 0x000000, 0xFFFFFF, 0x00D8FF, 0xFFF1C3, 0xA87270,
            0xFFE18D, 0x007C00, 0xFFCD38, 0xFF1EFF, 0x8DCD7E, 0x0000FF, 0x349DD1, 0x2485E9};
}

QByteArray ChartConfig::toBytes() const
{
    std::vector<uint8_t> buffer;
    buffer.reserve(kSize);
    ByteWriter out(buffer);
    for (uint32_t v : reserved)
        out.u32(v);
    reservedFont.write(out);
    out.f64(viewScale);
    out.f64(viewXOffset);
    out.f64(viewYOffset);
    out.u32(detailFlags);
    chartFont.write(out);
    workFont.write(out);
    for (uint32_t c : screenColours)
        out.u32(c);
    for (uint32_t c : printerColours)
        out.u32(c);
    out.u32(lastMixColour);
    out.f64(symbolSize);
    out.f64(textSize);
    for (const MiniWindowState& m : miniWindows)
        m.write(out);
    out.u32(arrangeState);
    return toQByteArray(buffer);
}

void ChartConfig::readBytes(std::span<const uint8_t> bytes)
{
    // The file is the raw image of the block: a short one overwrites only
    // its length, byte for byte, over the values in memory.
    QByteArray image = toBytes();
    if (!bytes.empty())
        std::memcpy(image.data(), bytes.data(), std::min(bytes.size(), kSize));
    ByteReader in(image.constData(), size_t(image.size()));
    for (uint32_t& v : reserved)
        in.u32(v);
    reservedFont.read(in);
    in.f64(viewScale);
    in.f64(viewXOffset);
    in.f64(viewYOffset);
    in.u32(detailFlags);
    chartFont.read(in);
    workFont.read(in);
    for (uint32_t& c : screenColours)
        in.u32(c);
    for (uint32_t& c : printerColours)
        in.u32(c);
    in.u32(lastMixColour);
    in.f64(symbolSize);
    in.f64(textSize);
    for (MiniWindowState& m : miniWindows)
        m.read(in);
    in.u32(arrangeState);
    sanitize();
}

namespace {

void fallBack(double& value, double fallback, bool mustBePositive)
{
    if (!std::isfinite(value) || (mustBePositive && value <= 0.0))
        value = fallback;
}

} // namespace

void ChartConfig::sanitize()
{
    // The block is written raw and never validated; a damaged file must still
    // leave a view that the projection can clamp and draw.
    fallBack(viewScale, kDefaultScale, true);
    fallBack(viewXOffset, kDefaultXOffset, false);
    fallBack(viewYOffset, kDefaultYOffset, false);
    for (int i = 0; i < 4; ++i) {
        MiniWindowState& m = miniWindows[size_t(i)];
        const MiniWindowState d = MiniWindowState::defaults(i);
        fallBack(m.scale, d.scale, true);
        fallBack(m.xOffset, d.xOffset, false);
        fallBack(m.yOffset, d.yOffset, false);
    }
    fallBack(symbolSize, kDefaultSymbolSize, true);
    fallBack(textSize, kDefaultTextSize, true);
    symbolSize = std::clamp(symbolSize, kMinSymbolSize, kMaxSymbolSize);
    textSize = std::clamp(textSize, kMinTextSize, kMaxTextSize);
}

QString ChartConfig::filePath(const QString& programFolder)
{
    return programPath(programFolder, QStringLiteral("CHARTDATA/CHART.CFG"));
}

Status ChartConfig::load(const QString& programFolder)
{
    const Result<QByteArray> bytes = readFile(filePath(programFolder));
    if (!bytes)
        return bytes.error();
    readBytes(byteSpan(*bytes));
    return {};
}

std::optional<ChartError> ChartConfig::save(const QString& programFolder) const
{
    const QString path = filePath(programFolder);
    const Status written = writeFileAtomically(path, toBytes());
    if (written)
        return std::nullopt;
    return ChartError::writeFailed(written.error());
}

ViewportStyle ChartConfig::viewportStyle() const
{
    ViewportStyle style;
    style.symbolSize = symbolSize;
    style.textSize = textSize;
    style.chartFont = chartFont.toTextFont();
    style.workFont = workFont.toTextFont();
    return style;
}

} // namespace kesmar
