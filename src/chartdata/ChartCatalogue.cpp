#include "chartdata/ChartCatalogue.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/FileUtil.h"
#include "core/Viewport.h"
#include "core/QtBytes.h"

#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace kesmar {

int ChartCatalogue::indexOf(const QString& name) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == name)
            return int(i);
    return -1;
}

void ChartCatalogue::setViewSize(int width, int height)
{
    viewWidth_ = std::max(1, width);
    viewHeight_ = std::max(1, height);
}

double ChartCatalogue::naturalScale(const ChartBox& box) const
{
    // In 64 bits: the edges of a damaged header may lie anywhere in the int32 range.
    const double dx = double(std::llabs(int64_t(box.left) - int64_t(box.right))) * 0.001;
    const double dy = double(std::llabs(int64_t(box.top) - int64_t(box.bottom))) * 0.001;
    if (dy <= dx)
        return dx / viewWidth_ * 0.25;
    return dy / viewHeight_ / Viewport::kYFactor * 0.25;
}

std::optional<ChartError> ChartCatalogue::addChart(const QString& programFolder, const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    const QString path = ChartHeader::pathFor(programFolder, name);
    ChartError error;
    error.file = path;
    error.chart = name;
    // Refuse before touching the file: neither case can succeed anyway.
    if (name.size() > ChartEntry::kMaxNameLength || count() >= kCapacity)
        return addHeader(name, ChartHeader{});
    const std::optional<ChartHeader> header = ChartHeader::readFile(path, &error);
    if (!header) {
        error.chart = name;
        return error;
    }
    return addHeader(name, *header);
}

std::optional<ChartError> ChartCatalogue::addHeader(const QString& name, const ChartHeader& header)
{
    if (name.isEmpty())
        return std::nullopt;
    ChartError error;
    error.chart = name;
    if (name.size() > ChartEntry::kMaxNameLength) {
        error.kind = ChartError::Kind::NameTooLong;
        error.reason = QStringLiteral("%1 characters, at most 68").arg(name.size());
        return error;
    }
    if (count() >= kCapacity) {
        error.kind = ChartError::Kind::CatalogueFull;
        error.reason = QStringLiteral("at most 100 charts");
        return error;
    }
    ChartEntry e;
    e.header = header;
    e.visibleBox = header.box();
    e.scale = naturalScale(header.box());
    e.name = name;
    entries_.push_back(std::move(e));
    sort();
    return std::nullopt;
}

bool ChartCatalogue::removeChart(const QString& name)
{
    const int index = indexOf(name);
    if (index < 0)
        return false;
    entries_.erase(entries_.begin() + index);
    return true;
}

bool ChartCatalogue::shouldSwap(const ChartEntry& a, const ChartEntry& b) const
{
    if (a.scale < b.scale)
        return true;
    if (a.scale != b.scale)
        return false;
    if (a.header.yMin != b.header.yMin)
        return a.header.yMin > b.header.yMin;
    return a.header.xMin > b.header.xMin;
}

void ChartCatalogue::sort()
{
    // Bubble sort over neighbours, as the list was always ordered: of two
    // names equal ignoring case, the second neighbour is dropped, which
    // decides which of the two survives. Swaps only on strict order, so NaN
    // scales from a damaged list cannot make it loop.
    for (;;) {
        bool changed = false;
        for (size_t i = 0; i + 1 < entries_.size(); ++i) {
            if (entries_[i].name.compare(entries_[i + 1].name, Qt::CaseInsensitive) == 0) {
                entries_.erase(entries_.begin() + std::ptrdiff_t(i + 1));
                changed = true;
                break;
            }
            if (shouldSwap(entries_[i], entries_[i + 1])) {
                std::swap(entries_[i], entries_[i + 1]);
                changed = true;
            }
        }
        // Twins need not meet while sorting (a chart between them may already
        // stand in order); the later one goes then, so a name is never drawn twice.
        if (!changed)
            changed = eraseLaterDuplicate();
        if (!changed)
            return;
    }
}

bool ChartCatalogue::eraseLaterDuplicate()
{
    for (size_t i = 0; i < entries_.size(); ++i)
        for (size_t j = i + 1; j < entries_.size(); ++j)
            if (entries_[i].name.compare(entries_[j].name, Qt::CaseInsensitive) == 0) {
                entries_.erase(entries_.begin() + std::ptrdiff_t(j));
                return true;
            }
    return false;
}

void ChartCatalogue::rescaleAll()
{
    const double worldScale = Viewport::kWorldMinutesWide / viewWidth_;
    for (ChartEntry& e : entries_) {
        e.scale = e.isWorldMap() ? worldScale : naturalScale(e.box());
        e.visibleBox = e.box();
        e.flags = 0;
        e.pad = {};
    }
    available_ = 0;
    sort();
}

void ChartCatalogue::selectForBox(const ChartBox& view, double viewScale)
{
    available_ = 0;
    double best = 1000.0;
    int bestIndex = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        ChartEntry& e = entries_[i];
        e.flags &= uint16_t(~ChartEntry::SelectionMask);
        if (e.flags & (ChartEntry::Excluded | ChartEntry::WpnFailed | ChartEntry::LinFailed))
            continue;
        // The view is too coarse for this chart; the world map always qualifies.
        if (e.scale < viewScale && !e.isWorldMap())
            continue;
        const ChartBox b = e.box();
        // Touching counts as overlap.
        if (!(b.top <= view.bottom && b.bottom >= view.top && b.left <= view.right && b.right >= view.left))
            continue;
        available_ |= AnyVisible;
        e.visibleBox = {std::max(b.top, view.top), std::max(b.left, view.left),
                        std::min(b.bottom, view.bottom), std::min(b.right, view.right)};
        e.flags |= ChartEntry::Visible;
        // The best chart must contain the view strictly on all four sides.
        if (e.scale < best && b.top < view.top && b.left < view.left && b.bottom > view.bottom
            && b.right > view.right) {
            best = e.scale;
            bestIndex = int(i);
            available_ |= BestFound;
        }
    }
    if (!(available_ & BestFound))
        return;
    // Finer charts that cover only part of the view stay visible over the best one.
    for (size_t i = 0; i < entries_.size(); ++i) {
        ChartEntry& e = entries_[i];
        if (!(e.flags & ChartEntry::Visible))
            continue;
        if (int(i) == bestIndex)
            e.flags |= ChartEntry::Best;
        else if (e.scale > best)
            e.flags |= ChartEntry::Suppressed;
    }
}

void ChartCatalogue::selectForViewport(const Viewport& viewport)
{
    selectForBox(viewport.visibleBox(), viewport.scale());
}

void ChartCatalogue::rescaleAndSelect(const Viewport& viewport)
{
    rescaleAll();
    selectForViewport(viewport);
}

QString ChartCatalogue::listPath(const QString& programFolder)
{
    return programPath(programFolder, QStringLiteral("CHARTDATA/CHARTLIST.LST"));
}

void ChartCatalogue::readList(std::span<const uint8_t> bytes)
{
    entries_.clear();
    available_ = 0;
    ByteReader in(bytes);
    while (count() < kCapacity && in.remaining() >= ChartEntry::kSize) {
        ChartEntry e;
        e.read(in);
        entries_.push_back(std::move(e));
    }
}

QByteArray ChartCatalogue::listBytes() const
{
    std::vector<uint8_t> buffer;
    buffer.reserve(entries_.size() * ChartEntry::kSize);
    ByteWriter out(buffer);
    for (const ChartEntry& e : entries_)
        e.write(out);
    return toQByteArray(buffer);
}

bool ChartCatalogue::loadList(const QString& programFolder)
{
    QFile file(listPath(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Only the first 100 records count; a huge file is not read whole.
    const QByteArray bytes = file.read(qint64(kCapacity) * qint64(ChartEntry::kSize));
    readList(byteSpan(bytes));
    return true;
}

std::optional<ChartError> ChartCatalogue::saveList(const QString& programFolder) const
{
    if (entries_.empty())
        return std::nullopt; // the previous list stays on disk
    const QString path = listPath(programFolder);
    const Status written = writeFileAtomically(path, listBytes());
    if (written)
        return std::nullopt;
    return ChartError::writeFailed(written.error());
}

QStringList ChartCatalogue::defaultChartNames()
{
    return {QStringLiteral("WORLDMAP"), QStringLiteral("EUROPA"), QStringLiteral("NORDS-S"),
            QStringLiteral("BALT-S"), QStringLiteral("MEDI-W_A"), QStringLiteral("MEDI-W_B")};
}

std::vector<ChartError> ChartCatalogue::addDefaultSet(const QString& programFolder)
{
    std::vector<ChartError> errors;
    for (const QString& name : defaultChartNames())
        if (std::optional<ChartError> error = addChart(programFolder, name))
            errors.push_back(*error);
    return errors;
}

} // namespace kesmar
