#include "weather/StationFileDeduplicator.h"

#include "core/FileUtil.h"
#include "weather/StationFileAppender.h"
#include "weather/SynopRecord.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <new>

namespace kesmar {

namespace {

constexpr size_t kRecord = SynopRecord::kSize;
constexpr size_t kChunkRecords = 8192; // about 4 MB per read

// Reads up to `records` whole records; returns how many were read.
size_t readRecords(QFile& file, std::vector<uint8_t>& buffer, size_t records)
{
    buffer.resize(records * kRecord);
    const qint64 got = file.read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return got > 0 ? static_cast<size_t>(got) / kRecord : 0;
}

uint64_t mix(uint64_t low, uint64_t high)
{
    uint64_t h = low * 0x9E3779B97F4A7C15ull ^ (high + 0x632BE59BD9B4E019ull);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

} // namespace

StationFileDeduplicator::StationFileDeduplicator(QString programFolder)
    : programFolder_(std::move(programFolder))
{
}

QString StationFileDeduplicator::stationFilePath() const
{
    return programPath(programFolder_, QLatin1String(StationFileAppender::kFileName));
}

QString StationFileDeduplicator::tempFilePath() const
{
    const QString dir = QFileInfo(stationFilePath()).path();
    return findFileNoCase(dir, QLatin1String(kTempName));
}

void StationFileDeduplicator::keyOf(const uint8_t* record, uint8_t* key)
{
    std::memcpy(key, record + SynopRecord::OffStationEntry, 2);
    std::memcpy(key + 2, record + SynopRecord::OffStationLatitude, 2);
    std::memcpy(key + 4, record + SynopRecord::OffStationLongitude, 2);
    std::memcpy(key + 6, record + SynopRecord::OffObservationTime, 4);
}

// Walks from the end: the first time a key is seen there is its last
// occurrence in the file, which is the one that stays. The same result as
// comparing every pair, in linear time on an open-addressing table.
std::vector<bool> StationFileDeduplicator::survivors(std::span<const uint8_t> keys)
{
    const size_t n = keys.size() / kKeySize;
    std::vector<bool> keep(n, false);
    size_t capacity = 16;
    while (capacity < 2 * n)
        capacity *= 2;
    constexpr uint32_t kEmpty = UINT32_MAX;
    std::vector<uint32_t> table(capacity, kEmpty);
    auto split = [&keys](size_t i, uint64_t& low, uint64_t& high) {
        low = 0;
        high = 0;
        std::memcpy(&low, keys.data() + i * kKeySize, 8);
        std::memcpy(&high, keys.data() + i * kKeySize + 8, 2);
    };
    for (size_t i = n; i-- > 0;) {
        uint64_t low, high;
        split(i, low, high);
        if (low == 0 && high == 0)
            continue;
        size_t slot = mix(low, high) & (capacity - 1);
        bool seen = false;
        while (table[slot] != kEmpty) {
            uint64_t otherLow, otherHigh;
            split(table[slot], otherLow, otherHigh);
            if (otherLow == low && otherHigh == high) {
                seen = true;
                break;
            }
            slot = (slot + 1) & (capacity - 1);
        }
        if (!seen) {
            table[slot] = static_cast<uint32_t>(i);
            keep[i] = true;
        }
    }
    return keep;
}

bool StationFileDeduplicator::restoreLeftover()
{
    const QString tmpPath = tempFilePath();
    if (!QFileInfo::exists(tmpPath))
        return false;
    const QString datPath = stationFilePath();
    if (QFileInfo::exists(datPath) && !QFile::remove(datPath))
        return false;
    return QFile::rename(tmpPath, datPath);
}

StationFileDeduplicator::Result StationFileDeduplicator::run(const Progress& progress)
{
    Result result;
    const QString datPath = stationFilePath();
    if (!QFileInfo::exists(datPath))
        return result;
    const QString tmpPath = tempFilePath();
    if (QFileInfo::exists(tmpPath)) {
        result.error = QStringLiteral("%1 is in the way").arg(tmpPath);
        return result;
    }
    if (!QFile::rename(datPath, tmpPath)) {
        result.error = QStringLiteral("cannot rename %1").arg(datPath);
        return result;
    }
    const QString error = writeSurvivors(tmpPath, datPath, result, progress);
    if (!error.isEmpty()) {
        QFile::remove(datPath);
        QFile::rename(tmpPath, datPath);
        result.error = error;
        result.recordsAfter = result.recordsBefore;
        return result;
    }
    QFile::remove(tmpPath);
    result.rewritten = true;
    return result;
}

QString StationFileDeduplicator::writeSurvivors(const QString& tmpPath, const QString& datPath,
                                                Result& result, const Progress& progress)
{
    QFile in(tmpPath);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(tmpPath);
    QFile out(datPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot create %1").arg(datPath);
    const size_t n = static_cast<size_t>(in.size()) / kRecord;
    result.recordsBefore = n;
    if (n >= UINT32_MAX)
        return QStringLiteral("%1 is too large").arg(tmpPath);
    std::vector<uint8_t> keys;
    std::vector<uint8_t> buffer;
    try {
        keys.resize(n * kKeySize);
        buffer.reserve(kChunkRecords * kRecord);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("out of memory for %1 keys").arg(n);
    }
    auto report = [&progress](Stage stage, size_t done, size_t total) {
        if (progress)
            progress(stage, total == 0 ? 100 : static_cast<int>(done * 100 / total));
    };
    size_t done = 0;
    while (done < n) {
        const size_t got = readRecords(in, buffer, std::min(kChunkRecords, n - done));
        if (got == 0)
            return QStringLiteral("cannot read %1").arg(tmpPath);
        for (size_t i = 0; i < got; ++i)
            keyOf(buffer.data() + i * kRecord, keys.data() + (done + i) * kKeySize);
        done += got;
        report(Stage::Testing, done, n);
    }
    const std::vector<bool> keep = survivors(keys);
    if (!in.seek(0))
        return QStringLiteral("cannot read %1").arg(tmpPath);
    std::vector<uint8_t> kept;
    kept.reserve(kChunkRecords * kRecord);
    done = 0;
    while (done < n) {
        report(Stage::Writing, done, n);
        const size_t got = readRecords(in, buffer, std::min(kChunkRecords, n - done));
        if (got == 0) // the old file is deleted after this: never write it short
            return QStringLiteral("cannot read %1").arg(tmpPath);
        kept.clear();
        for (size_t i = 0; i < got; ++i)
            if (keep[done + i])
                kept.insert(kept.end(), buffer.begin() + static_cast<ptrdiff_t>(i * kRecord),
                            buffer.begin() + static_cast<ptrdiff_t>((i + 1) * kRecord));
        if (out.write(reinterpret_cast<const char*>(kept.data()), static_cast<qint64>(kept.size()))
            != static_cast<qint64>(kept.size()))
            return QStringLiteral("cannot write %1").arg(datPath);
        result.recordsAfter += kept.size() / kRecord;
        done += got;
    }
    if (!out.flush())
        return QStringLiteral("cannot write %1").arg(datPath);
    out.close();
    return {};
}

} // namespace kesmar
