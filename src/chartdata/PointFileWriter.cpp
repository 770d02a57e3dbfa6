#include "chartdata/PointFileWriter.h"

#include "chartdata/PointBlockEntry.h"
#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <algorithm>
#include <map>

namespace kesmar {

namespace {

// Blocks group points of one record size inside cells of one degree, so that
// a small view skips most blocks by their boxes.
constexpr int32_t kCell = 60'000;

int32_t cellOf(int32_t v) { return v >= 0 ? v / kCell : -((-v + kCell - 1) / kCell); }

} // namespace

PointFileWriter::PointFileWriter(int maxRecordsPerBlock)
    : maxPerBlock_(std::clamp(maxRecordsPerBlock, 1, 65535))
{
}

bool PointFileWriter::add(const PointRecord& record, std::string* error)
{
    const ChartPoint p = record.position();
    if (p.y < -kWorldHalfHeight || p.y > kWorldHalfHeight || p.x < -kWorldHalfWidth
        || p.x > kWorldHalfWidth) {
        if (error)
            *error = "point outside the world (y " + std::to_string(p.y) + ", x "
                   + std::to_string(p.x) + ")";
        return false;
    }
    records_.push_back(record);
    return true;
}

PointFileWriter::Image PointFileWriter::build() const
{
    struct Key {
        size_t size;
        int32_t cellY, cellX;
        bool operator<(const Key& o) const {
            return std::tie(cellY, cellX, size) < std::tie(o.cellY, o.cellX, o.size);
        }
    };
    std::map<Key, std::vector<const PointRecord*>> groups;
    for (const PointRecord& r : records_)
        groups[{r.size(), cellOf(r.y()), cellOf(r.x())}].push_back(&r);

    std::vector<PointBlockEntry> blocks;
    std::vector<uint8_t> bpt;
    for (auto& [key, list] : groups) {
        std::stable_sort(list.begin(), list.end(),
                         [](const PointRecord* a, const PointRecord* b) { return a->y() < b->y(); });
        for (size_t start = 0; start < list.size(); start += size_t(maxPerBlock_)) {
            const size_t end = std::min(list.size(), start + size_t(maxPerBlock_));
            PointBlockEntry e;
            e.yMin = e.yMax = list[start]->y();
            e.xMin = e.xMax = list[start]->x();
            e.bptOffset = uint32_t(bpt.size());
            e.count = uint16_t(end - start);
            e.recordSize = uint8_t(key.size);
            for (size_t i = start; i < end; ++i) {
                const PointRecord& r = *list[i];
                e.yMin = std::min(e.yMin, r.y());
                e.yMax = std::max(e.yMax, r.y());
                e.xMin = std::min(e.xMin, r.x());
                e.xMax = std::max(e.xMax, r.x());
                bpt.insert(bpt.end(), r.bytes().begin(), r.bytes().end());
            }
            blocks.push_back(e);
        }
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const PointBlockEntry& a, const PointBlockEntry& b) { return a.yMin < b.yMin; });
    std::vector<uint8_t> bwp;
    ByteWriter w(bwp);
    for (const PointBlockEntry& e : blocks)
        e.write(w);
    PointBlockEntry().write(w);  // zero-count terminator
    Image image;
    image.bwp = toQByteArray(bwp);
    image.bpt = toQByteArray(bpt);
    image.blocks = int(blocks.size());
    image.records = int(records_.size());
    return image;
}

} // namespace kesmar
