// .BWP block index and .BPT point records from arbitrary bytes: every record
// handed out lies inside .BPT and has its block's size.
#include "chartdata/PointFile.h"

#include <cstddef>
#include <cstdint>

using namespace kesmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t indexSize = std::min<size_t>(size - 2, size_t(data[0] | data[1] << 8));
    const QByteArray bwp(reinterpret_cast<const char*>(data + 2), qsizetype(indexSize));
    const QByteArray bpt(reinterpret_cast<const char*>(data + 2 + indexSize), qsizetype(size - 2 - indexSize));
    const PointFile file = PointFile::fromBytes(bwp, bpt);
    if (file.blocks().size() > indexSize / PointBlockEntry::kSize)
        __builtin_trap();
    for (const PointBlockEntry& block : file.blocks()) {
        const int n = file.recordCount(block);
        if (n < 0 || n > block.count)
            __builtin_trap();
        for (int i = -1; i <= n; ++i) {
            const auto record = file.record(block, i);
            if ((i < 0 || i == n) != !record)
                __builtin_trap();
            if (record && (record->size() != block.recordSize || record->text().size() > qsizetype(record->size() - 13)))
                __builtin_trap();
        }
    }
    if (const auto r = PointRecord::fromBytes({data, std::min<size_t>(size, PointRecord::kMaxSize)}))
        if (r->description().size() + PointRecord::kOffDescription != r->size())
            __builtin_trap();
    return 0;
}
