#include "weather/SynopConversion.h"

#include "core/FileUtil.h"
#include "weather/SynopFileContext.h"
#include "weather/SynopTables.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <string_view>

namespace kesmar {

SynopConversion::SynopConversion(const QString& programFolder, const SynopTables& tables)
    : programFolder_(programFolder), tables_(tables), appender_(programFolder),
      decoder_(tables, [this](const SynopRecord& record) { appender_.append(record); })
{
}

QString SynopConversion::stateText(Status status)
{
    switch (status) {
    case Status::Ready: return tr("PRESS OK FOR START");
    case Status::Scanning: return tr("CHECK EXIST");
    case Status::Converting: return tr("CONVERTING");
    default: return {};
    }
}

QString SynopConversion::totalText(int64_t totalBytes)
{
    return tr("Load Max %1 Byte Synop-Data").arg(totalBytes);
}

QString SynopConversion::testText(int day, int month, int year, int hour)
{
    return tr("Test: Synop-Data %1.%2.%3 %4:00").arg(day).arg(month).arg(year).arg(hour);
}

QString SynopConversion::statusText(uint32_t size, int day, int month, int year, int hour)
{
    return tr("load: %1 Byte Synop-Data %2.%3.%4 %5:00").arg(size).arg(day).arg(month).arg(year).arg(hour);
}

QString SynopConversion::fileName(int year, int month, int day, int hour)
{
    return QString::asprintf("%04d%02d%02d%02d_syn.wmo", year, month, day, hour);
}

void SynopConversion::scan(const SynopTimeWindow& window,
                           const std::function<void(int hour, const QString& line)>& onHour)
{
    files_.clear();
    progress_ = {};
    dedup_ = {};
    filesConverted_ = 0;
    window_ = window;
    // Without all four tables nothing is decoded at all.
    if (!tables_.isLoaded()) {
        status_ = Status::TablesMissing;
        return;
    }
    status_ = Status::Scanning;
    restoredLeftover_ = StationFileDeduplicator(programFolder_).restoreLeftover();
    const QString synopDir = programPath(programFolder_, QStringLiteral("SYNOP"));
    QHash<QString, QString> byLowerName;
    for (const QString& name : QDir(synopDir).entryList(QDir::Files))
        byLowerName.insert(name.toLower(), name);
    for (int i = 0; i <= SynopTimeWindow::kHours; ++i) {
        SynopFileEntry entry;
        entry.time = window.hourTime(i);
        const std::tm fields = SynopTimeWindow::localFields(entry.time);
        entry.year = fields.tm_year + 1900;
        entry.month = fields.tm_mon + 1;
        entry.day = fields.tm_mday;
        entry.hour = fields.tm_hour;
        if (onHour)
            onHour(i, testText(entry.day, entry.month, entry.year, entry.hour));
        const QString actual = byLowerName.value(fileName(entry.year, entry.month, entry.day, entry.hour).toLower());
        if (actual.isEmpty())
            continue;
        QFile file(QDir(synopDir).filePath(actual));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        entry.name = actual;
        entry.size = static_cast<uint32_t>(std::min<qint64>(file.size(), UINT32_MAX));
        entry.statusText = statusText(entry.size, entry.day, entry.month, entry.year, entry.hour);
        progress_.totalBytes += entry.size;
        files_.push_back(std::move(entry));
    }
    progress_.filesListed = files_.size();
    if (progress_.totalBytes == 0 || files_.empty()) {
        status_ = Status::NothingToDo;
        return;
    }
    progress_.filesToConvert = files_.size();
    progress_.phase = 1;
    status_ = Status::Converting;
}

bool SynopConversion::step()
{
    if (status_ != Status::Converting)
        return false;
    if (progress_.filesToConvert == 0) {
        removeDuplicates();
        status_ = Status::Finished;
        return false;
    }
    if (progress_.phase == 1)
        openNextFile();
    else
        decodeLines();
    return true;
}

void SynopConversion::run()
{
    while (step()) {
    }
}

void SynopConversion::cancel()
{
    if (status_ != Status::Converting)
        return;
    (void)appender_.flush(); // a failure is counted in reportsLost()
    data_.clear();
    status_ = Status::Cancelled;
}

// The newest hour first: the list runs from the oldest.
void SynopConversion::openNextFile()
{
    const SynopFileEntry& entry = files_[progress_.filesToConvert - 1];
    QFile file(QDir(programPath(programFolder_, QStringLiteral("SYNOP"))).filePath(entry.name));
    if (!file.open(QIODevice::ReadOnly)) {
        --progress_.filesToConvert;
        return;
    }
    data_ = file.readAll();
    position_ = 0;
    progress_.fileBytes = 0;
    progress_.fileSize = entry.size;
    progress_.filePercent = 0;
    decoder_.BeginSynopFile();
    decoder_.SetSynopFileContext(
        SynopFileContext::forFile(entry.year, entry.month, entry.day, entry.hour, entry.time, window_));
    progress_.fileLine = entry.statusText;
    progress_.phase = 2;
}

// Lines as a C library line read gives them: up to and including LF, at
// most 199 characters.
void SynopConversion::decodeLines()
{
    const char* data = data_.constData();
    const qsizetype size = data_.size();
    for (size_t k = 0; k < linesPerStep_; ++k) {
        if (position_ >= size) {
            finishFile();
            return;
        }
        const auto limit = static_cast<size_t>(std::min<qsizetype>(size - position_, SynopDecoder::kMaxLineLength));
        const void* lf = std::memchr(data + position_, '\n', limit);
        const size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - (data + position_)) + 1 : limit;
        decoder_.FeedSynopLine(std::string_view(data + position_, length));
        position_ += static_cast<qsizetype>(length);
        progress_.fileBytes += static_cast<int64_t>(length);
        progress_.runBytes += static_cast<int64_t>(length);
    }
    updatePercents();
}

void SynopConversion::finishFile()
{
    decoder_.EndSynopFile();
    (void)appender_.flush(); // a failure is counted in reportsLost()
    data_.clear();
    position_ = 0;
    --progress_.filesToConvert;
    ++filesConverted_;
    progress_.phase = 1;
    updatePercents();
}

void SynopConversion::updatePercents()
{
    // A file of zero bytes, or one that grew since the scan, must not be
    // divided by or run past 100 per cent.
    progress_.filePercent = progress_.fileSize > 0
        ? static_cast<int>(std::min<int64_t>(100, progress_.fileBytes * 100 / progress_.fileSize))
        : 100;
    progress_.totalPercent = progress_.totalBytes > 0
        ? static_cast<int>(std::min<int64_t>(100, progress_.runBytes * 100 / progress_.totalBytes))
        : 100;
}

void SynopConversion::removeDuplicates()
{
    (void)appender_.flush(); // a failure is counted in reportsLost()
    progress_.filePercent = 0;
    progress_.totalPercent = 0;
    dedup_ = StationFileDeduplicator(programFolder_).run(
        [this](StationFileDeduplicator::Stage stage, int percent) {
            progress_.fileLine = stage == StationFileDeduplicator::Stage::Testing
                ? tr("Test: Synop-Data doubles")
                : tr("Write: Synop-Data .......");
            progress_.filePercent = percent;
        });
    progress_.filePercent = 100;
    progress_.totalPercent = 100;
}

} // namespace kesmar
