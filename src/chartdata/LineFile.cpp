#include "chartdata/LineFile.h"

#include "chartdata/PackedPointRecord.h"
#include "core/FileUtil.h"
#include "core/QtBytes.h"

namespace kesmar {

Result<LineFile> LineFile::load(const QString& programFolder, const QString& chartName)
{
    auto path = [&](const char* ext) {
        return programPath(programFolder, QStringLiteral("CHARTDATA/") + chartName + QLatin1String(ext));
    };
    Result<QByteArray> lin = readFile(path(".LIN"));
    if (!lin)
        return lin.error();
    Result<QByteArray> wpn = readFile(path(".WPN"));
    if (!wpn)
        return wpn.error();
    return LineFile(std::move(wpn).value(), std::move(lin).value());
}

LineFile::Part LineFile::failedPart(const Error& error)
{
    return error.file.endsWith(QLatin1String(".WPN"), Qt::CaseInsensitive) ? Part::Wpn : Part::Lin;
}

LineSection LineFile::section(int32_t offset) const
{
    return LineSection(indexBytes(), offset);
}

std::span<const uint8_t> LineFile::recordBytes(const LineIndexEntry& entry) const
{
    // Only the low 15 bits of the length are part of the format.
    const size_t length = entry.byteLength & 0x7FFF;
    const std::span<const uint8_t> lin = pointBytes();
    if (length == 0 || entry.linOffset > lin.size() || length > lin.size() - entry.linOffset)
        return {};
    return lin.subspan(entry.linOffset, length);
}

int LineFile::decode(const LineIndexEntry& entry, std::span<ChartPoint> out) const
{
    // Counts above 1023 do not survive the 10-bit count of the decoder; such
    // records are skipped rather than drawn with a wrapped count.
    if (entry.pointCount == 0 || entry.pointCount > PackedPointRecord::kMaxPoints)
        return -1;
    const std::span<const uint8_t> bytes = recordBytes(entry);
    if (bytes.empty())
        return -1;
    return PackedPointRecord::decode(bytes, entry.pointCount, out);
}

std::span<const uint8_t> LineFile::indexBytes() const { return byteSpan(wpn_); }
std::span<const uint8_t> LineFile::pointBytes() const { return byteSpan(lin_); }

} // namespace kesmar
