#include "chartdata/ChartHeader.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/FileUtil.h"
#include "core/QtBytes.h"

#include <QFile>
#include <QFileInfo>
#include <vector>

namespace kesmar {

static_assert(ChartHeader::kSize == 4 * 4 + ChartHeader::kLayerCount * 4 + 8);

bool ChartHeader::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize); // marks the reader as failed
        return false;
    }
    ChartHeader h;
    in.i32(h.yMin);
    in.i32(h.xMin);
    in.i32(h.yMax);
    in.i32(h.xMax);
    for (int32_t& offset : h.layerOffset)
        in.i32(offset);
    in.bytes(h.reserved.data(), h.reserved.size());
    *this = h;
    return true;
}

void ChartHeader::write(ByteWriter& out) const
{
    out.i32(yMin);
    out.i32(xMin);
    out.i32(yMax);
    out.i32(xMax);
    for (int32_t offset : layerOffset)
        out.i32(offset);
    out.bytes(reserved.data(), reserved.size());
}

std::optional<ChartHeader> ChartHeader::fromBytes(std::span<const uint8_t> bytes)
{
    ByteReader in(bytes);
    ChartHeader h;
    if (!h.read(in))
        return std::nullopt;
    return h;
}

QByteArray ChartHeader::toBytes() const
{
    std::vector<uint8_t> buffer;
    ByteWriter out(buffer);
    write(out);
    return toQByteArray(buffer);
}

std::optional<ChartHeader> ChartHeader::readFile(const QString& path, ChartError* error)
{
    auto fail = [&](const QString& reason) -> std::optional<ChartHeader> {
        if (error) {
            error->kind = ChartError::Kind::HeaderMissing;
            error->file = path;
            error->record = -1;
            error->chart = QFileInfo(path).completeBaseName();
            error->reason = reason;
        }
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // Only the first 64 bytes are the header; whatever follows is not read.
    const QByteArray bytes = file.read(qint64(kSize));
    const auto header = fromBytes(byteSpan(bytes));
    if (!header)
        return fail(QStringLiteral("%1 bytes, 64 expected").arg(bytes.size()));
    return header;
}

std::optional<ChartError> ChartHeader::writeFile(const QString& path) const
{
    const Status written = writeFileAtomically(path, toBytes());
    if (written)
        return std::nullopt;
    ChartError error = ChartError::writeFailed(written.error());
    error.chart = QFileInfo(path).completeBaseName();
    return error;
}

QString ChartHeader::pathFor(const QString& programFolder, const QString& chartName)
{
    return programPath(programFolder, QStringLiteral("CHARTDATA/") + chartName + QStringLiteral(".HDR"));
}

} // namespace kesmar
