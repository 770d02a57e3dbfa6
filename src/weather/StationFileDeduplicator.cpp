#include "weather/StationFileDeduplicator.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

// The records of the old station file, chunk by chunk. Plain reads: a
// memory map of the file costs more in page faults than the copy saves.
class RecordChunks {
public:
    explicit RecordChunks(QFile& file) : file_(file) {}

    // Records first .. first + count - 1, or nullptr when they cannot be read.
    const uint8_t* get(size_t first, size_t count)
    {
        buffer_.resize(count * kRecord);
        const auto bytes = static_cast<qint64>(buffer_.size());
        if (!file_.seek(static_cast<qint64>(first * kRecord))
            || file_.read(reinterpret_cast<char*>(buffer_.data()), bytes) != bytes)
            return nullptr;
        return buffer_.data();
    }

private:
    QFile& file_;
    std::vector<uint8_t> buffer_;
};

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

QString StationFileDeduplicator::newFilePath() const
{
    const QString dir = QFileInfo(stationFilePath()).path();
    return findFileNoCase(dir, QLatin1String(kNewName));
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

namespace {

// rename() replaces the target in one step, so there is never a moment
// without a station file, and a failed rename leaves both files as they were.
bool replaceFile(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// The rename itself reaches the disk only with its directory.
void syncDirectoryOf(const QString& path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool StationFileDeduplicator::restoreLeftover()
{
    const QString newPath = newFilePath();
    if (QFileInfo::exists(newPath))
        QFile::remove(newPath);
    const QString tmpPath = tempFilePath();
    if (!QFileInfo::exists(tmpPath))
        return false;
    return replaceFile(tmpPath, stationFilePath());
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
    const QString newPath = newFilePath();
    const QString error = writeSurvivors(datPath, newPath, result, progress);
    if (!error.isEmpty()) {
        QFile::remove(newPath);
        result.error = error;
        result.recordsAfter = result.recordsBefore;
        return result;
    }
    if (!replaceFile(newPath, datPath)) {
        QFile::remove(newPath);
        result.error = QStringLiteral("cannot replace %1").arg(datPath);
        result.recordsAfter = result.recordsBefore;
        return result;
    }
    syncDirectoryOf(datPath);
    result.rewritten = true;
    return result;
}

QString StationFileDeduplicator::writeSurvivors(const QString& datPath, const QString& newPath,
                                                Result& result, const Progress& progress)
{
    QFile in(datPath);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(datPath);
    QFile out(newPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot create %1").arg(newPath);
    const size_t n = static_cast<size_t>(in.size()) / kRecord;
    result.recordsBefore = n;
    if (n >= UINT32_MAX)
        return QStringLiteral("%1 is too large").arg(datPath);
    std::vector<uint8_t> keys;
    try {
        keys.resize(n * kKeySize);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("out of memory for %1 keys").arg(n);
    }
    auto report = [&progress](Stage stage, size_t done, size_t total) {
        if (progress)
            progress(stage, total == 0 ? 100 : static_cast<int>(done * 100 / total));
    };
    RecordChunks chunks(in);
    for (size_t done = 0; done < n; done += kChunkRecords) {
        const size_t count = std::min(kChunkRecords, n - done);
        const uint8_t* records = chunks.get(done, count);
        if (!records)
            return QStringLiteral("cannot read %1").arg(datPath);
        for (size_t i = 0; i < count; ++i)
            keyOf(records + i * kRecord, keys.data() + (done + i) * kKeySize);
        report(Stage::Testing, done + count, n);
    }
    const std::vector<bool> keep = survivors(keys);
    for (size_t done = 0; done < n; done += kChunkRecords) {
        report(Stage::Writing, done, n);
        const size_t count = std::min(kChunkRecords, n - done);
        const uint8_t* records = chunks.get(done, count);
        if (!records) // the new file replaces the old one: never write it short
            return QStringLiteral("cannot read %1").arg(datPath);
        // Runs of kept records in one write each.
        for (size_t i = 0; i < count;) {
            if (!keep[done + i]) {
                ++i;
                continue;
            }
            size_t end = i + 1;
            while (end < count && keep[done + end])
                ++end;
            const auto bytes = static_cast<qint64>((end - i) * kRecord);
            if (out.write(reinterpret_cast<const char*>(records + i * kRecord), bytes) != bytes)
                return QStringLiteral("cannot write %1").arg(newPath);
            result.recordsAfter += end - i;
            i = end;
        }
    }
    // On disk before the rename makes it the station file.
    if (!out.flush() || ::fsync(out.handle()) != 0)
        return QStringLiteral("cannot write %1").arg(newPath);
    out.close();
    return {};
}

} // namespace kesmar
