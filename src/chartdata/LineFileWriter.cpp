#include "chartdata/LineFileWriter.h"

#include "chartdata/PackedPointRecord.h"
#include "chartdata/RecordSplitter.h"
#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <algorithm>
#include <limits>

namespace kesmar {

namespace {

bool insideWorld(const ChartPoint& p)
{
    return p.y >= -kWorldHalfHeight && p.y <= kWorldHalfHeight && p.x >= -kWorldHalfWidth
        && p.x <= kWorldHalfWidth;
}

void setError(std::string* error, std::string why)
{
    if (error)
        *error = std::move(why);
}

ChartBox unite(const ChartBox& a, const ChartBox& b)
{
    return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
            std::max(a.right, b.right)};
}

} // namespace

bool LineFileWriter::add(int section, std::span<const ChartPoint> points, uint8_t attribute,
                         uint8_t fill, std::string* error)
{
    if (section < kBaseSection || section >= kLayerCount) {
        setError(error, "unknown section " + std::to_string(section));
        return false;
    }
    if (points.empty()) {
        setError(error, "empty geometry");
        return false;
    }
    if (points.size() > size_t(PackedPointRecord::kMaxPoints)) {
        setError(error, "more than 1023 points");
        return false;
    }
    const bool area = section == kBaseSection || (fill & LineIndexEntry::kFillArea);
    if (area && points.size() < 3) {
        setError(error, "area with fewer than 3 points");
        return false;
    }
    for (const ChartPoint& p : points) {
        if (!insideWorld(p)) {
            setError(error, "point outside the world (y " + std::to_string(p.y) + ", x "
                                + std::to_string(p.x) + ")");
            return false;
        }
    }
    Record r{std::vector<ChartPoint>(points.begin(), points.end()), RecordSplitter::bounds(points),
             attribute, fill};
    sections_[size_t(section + 1)].push_back(std::move(r));
    return true;
}

int LineFileWriter::recordCount() const
{
    size_t n = 0;
    for (const auto& s : sections_)
        n += s.size();
    return int(n);
}

bool LineFileWriter::build(Image& image, std::string* error) const
{
    image = Image{};
    image.layerOffsets.fill(-1);
    std::vector<uint8_t> wpn;
    std::vector<uint8_t> lin;
    std::vector<uint8_t> packed;
    ByteWriter index(wpn);
    bool haveBounds = false;
    for (size_t s = 0; s < sections_.size(); ++s) {
        if (s > 0 && sections_[s].empty())
            continue;  // layers without records get no section; the base section always exists
        if (wpn.size() > size_t(std::numeric_limits<int32_t>::max())) {
            setError(error, ".WPN larger than 2 GiB");
            return false;
        }
        if (s > 0)
            image.layerOffsets[s - 1] = int32_t(wpn.size());
        std::vector<const Record*> order;
        for (const Record& r : sections_[s])
            order.push_back(&r);
        // Readers stop at the first entry south of the view: sort by yMin.
        std::stable_sort(order.begin(), order.end(), [](const Record* a, const Record* b) {
            return a->box.top < b->box.top;
        });
        for (const Record* r : order) {
            std::string why;
            if (!PackedPointRecord::encode(r->points, packed, &why)) {
                setError(error, why);
                return false;
            }
            if (lin.size() > std::numeric_limits<uint32_t>::max() - packed.size()) {
                setError(error, ".LIN larger than 4 GiB");
                return false;
            }
            LineIndexEntry e{r->box.top, r->box.left, r->box.bottom, r->box.right,
                             uint32_t(lin.size()), uint16_t(packed.size()),
                             uint16_t(r->points.size()), r->attribute, r->fill};
            e.write(index);
            lin.insert(lin.end(), packed.begin(), packed.end());
            image.bounds = haveBounds ? unite(image.bounds, r->box) : r->box;
            haveBounds = true;
            ++image.records;
            image.points += int(r->points.size());
        }
        LineIndexEntry().write(index);  // zero-count terminator
    }
    image.wpn = toQByteArray(wpn);
    image.lin = toQByteArray(lin);
    return true;
}

} // namespace kesmar
