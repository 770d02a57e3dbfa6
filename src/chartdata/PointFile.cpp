#include "chartdata/PointFile.h"

#include "core/FileUtil.h"

namespace kesmar {

Result<PointFile> PointFile::load(const QString& programFolder, const QString& chartName)
{
    auto path = [&](const char* ext) {
        return programPath(programFolder, QStringLiteral("CHARTDATA/") + chartName + QLatin1String(ext));
    };
    const QString bwpPath = path(".BWP");
    std::optional<QByteArray> bwp = readWholeFile(bwpPath);
    if (!bwp)
        return Error::inFile(bwpPath, QStringLiteral("cannot be read"));
    const QString bptPath = path(".BPT");
    std::optional<QByteArray> bpt = readWholeFile(bptPath);
    if (!bpt)
        return Error::inFile(bptPath, QStringLiteral("cannot be read"));
    return fromBytes(*bwp, std::move(*bpt));
}

PointFile PointFile::fromBytes(const QByteArray& bwp, QByteArray bpt)
{
    PointFile f;
    f.bpt_ = std::move(bpt);
    ByteReader in(bwp.constData(), size_t(bwp.size()));
    // At most one entry per 24 bytes: the reserve is bounded by the file.
    f.blocks_.reserve(in.size() / PointBlockEntry::kSize);
    while (std::optional<PointBlockEntry> e = PointBlockEntry::read(in)) {
        if (e->isTerminator())
            break;
        f.blocks_.push_back(*e);
    }
    return f;
}

int PointFile::recordCount(const PointBlockEntry& block) const
{
    const size_t size = block.recordSize;
    const size_t total = size_t(bpt_.size());
    if (size < PointRecord::kMinSize || size > PointRecord::kMaxSize || block.bptOffset > total)
        return 0;
    const size_t whole = (total - block.bptOffset) / size;
    return int(std::min<size_t>(block.count, whole));
}

std::span<const uint8_t> PointFile::recordBytes(const PointBlockEntry& block, int index) const
{
    if (index < 0 || index >= recordCount(block))
        return {};
    const auto* base = reinterpret_cast<const uint8_t*>(bpt_.constData());
    return {base + block.bptOffset + size_t(index) * block.recordSize, block.recordSize};
}

std::optional<PointRecord> PointFile::record(const PointBlockEntry& block, int index) const
{
    const std::span<const uint8_t> bytes = recordBytes(block, index);
    if (bytes.empty())
        return std::nullopt;
    return PointRecord::fromBytes(bytes);
}

} // namespace kesmar
