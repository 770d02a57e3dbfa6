#pragma once
#include "chartdata/PointRecord.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace kesmar {

// Builds a chart's .BWP index and .BPT records. Records are grouped into
// blocks of one record size and a small area (so that drawing skips whole
// blocks), each block sorted north to south by y; blocks are ordered by
// their northern edge.
class PointFileWriter {
public:
    // Records per block at most (the index stores a 16-bit count).
    static constexpr int kDefaultBlockSize = 64;

    explicit PointFileWriter(int maxRecordsPerBlock = kDefaultBlockSize);

    // Refuses a record whose position lies outside the world.
    bool add(const PointRecord& record, std::string* error = nullptr);

    struct Image {
        QByteArray bwp;
        QByteArray bpt;
        int blocks = 0;
        int records = 0;
    };
    Image build() const;

private:
    int maxPerBlock_;
    std::vector<PointRecord> records_;
};

} // namespace kesmar
