#include "weather/WeatherProductList.h"

#include "core/FileUtil.h"
#include "weather/RtfReader.h"
#include "weather/SynopRecord.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <ctime>
#include <unordered_map>

namespace kesmar {
namespace {

// The texts keep their double blanks; "BULLETIN FOR NORTHSEA" is part of the
// combined North Sea and Baltic header, which therefore gets both bits.
constexpr std::array<WeatherProductList::HeaderRow, 13> kHeaders = {{
    {22, u"EUROPEAN COASTS PART 1", WeatherKind::Europe1},
    {23, u"EUROPEAN COASTS PART 2", WeatherKind::Europe2},
    {25, u"BULLETIN FOR NORTHSEA  AND BALTIC SEA", WeatherKind::Baltic},
    {24, u"BERICHT FUER NORD- UND OSTSEE", WeatherKind::Baltic},
    {29, u"BULLETIN FOR THE  BALTIC SEA", WeatherKind::Baltic},
    {28, u"BERICHT FUER DIE OSTSEE", WeatherKind::Baltic},
    {31, u"BULLETIN FOR NORTHERN NORTHATLANTIC", WeatherKind::Europe1},
    {30, u"BERICHT FUER DEN NOERDLICHEN NORDATLANTIK", WeatherKind::Europe1},
    {27, u"BULLETIN FOR THE NORTHSEA", WeatherKind::NorthSea},
    {26, u"BERICHT FUER DIE NORDSEE", WeatherKind::NorthSea},
    {34, u"BULLETIN FOR NORTHSEA", WeatherKind::NorthSea},
    {32, u"BULLETIN FOR THE MEDITERRANEAN SEA", WeatherKind::Mediterranean},
    {33, u"BERICHT F\u00DCR DAS MITTELMEER", WeatherKind::Mediterranean},
}};

constexpr qint64 kStationBlockRecords = 4096;

std::optional<int> digits(QStringView text, qsizetype from, qsizetype count)
{
    if (from + count > text.size())
        return std::nullopt;
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString stationTitle(uint32_t count)
{
    return count > 1 ? QStringLiteral("SYNOP-Bulletin %1 Stations").arg(count)
                     : QStringLiteral("SYNOP-Bulletin %1 Station").arg(count);
}

QString entryName(const QString& fileName)
{
    return fileName.left(WeatherFileEntry::kMaxNameLength).toUpper();
}

// The files of a folder matching the pattern whose names carry a time, as
// entries like the given one; names without a time are passed over.
void addDatedFiles(std::vector<WeatherFileEntry>& entries, const QString& folder, const QString& pattern,
                   const WeatherFileEntry& like)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({pattern},
                                            QDir::Files | QDir::NoDotAndDotDot,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        if (static_cast<int>(entries.size()) >= WeatherProductList::kMaxEntries)
            break;
        WeatherFileEntry entry = like;
        entry.name = entryName(file);
        const auto time = WeatherProductList::nameTime(entry.name);
        if (!time)
            continue;
        entry.time = *time;
        entry.path = dir.filePath(file);
        entries.push_back(std::move(entry));
    }
}

} // namespace

std::span<const WeatherProductList::HeaderRow> WeatherProductList::headerTable()
{
    return kHeaders;
}

std::optional<uint32_t> WeatherProductList::nameTime(QStringView name)
{
    const qsizetype bar = name.indexOf(QLatin1Char('_'));
    if (bar < 0)
        return std::nullopt;
    const qsizetype at = bar + 1;
    const auto year = digits(name, at, 4);
    const auto month = digits(name, at + 5, 2);
    const auto day = digits(name, at + 8, 2);
    const auto hour = digits(name, at + 11, 2);
    const auto minute = digits(name, at + 14, 2);
    if (!year || !month || !day || !hour || !minute)
        return std::nullopt;
    if (*year < 1970 || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 || *minute > 59)
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = *year - 1900;
    fields.tm_mon = *month - 1;
    fields.tm_mday = *day;
    fields.tm_hour = *hour;
    fields.tm_min = *minute;
    fields.tm_isdst = -1; // daylight saving as the library knows it
    const time_t t = mktime(&fields);
    if (t < 0 || t > static_cast<time_t>(UINT32_MAX))
        return std::nullopt;
    return static_cast<uint32_t>(t);
}

void WeatherProductList::classify(WeatherFileEntry& entry)
{
    entry.kind = 0;
    entry.title.clear();
    const auto document = RtfReader::readFile(entry.path, kHeaderLines);
    if (!document.ok())
        return; // shown only in the time list, as a warning
    const QString& name = entry.name;
    if (name.size() > 3 && name[0] == QLatin1Char('F') && name[3] == QLatin1Char('_'))
        entry.kind = WeatherKind::Fax;
    if (name.size() > 4 && name[0] == QLatin1Char('I') && name[4] == QLatin1Char('_'))
        entry.kind |= WeatherKind::Navtex;
    const QStringList lines = document->text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < kHeaderLines; ++i) {
        const QString& line = lines[i];
        for (const HeaderRow& row : kHeaders) {
            if (!line.contains(QStringView(row.text)))
                continue;
            entry.kind |= row.kind;
            entry.title = line.left(WeatherFileEntry::kMaxTitleLength);
        }
    }
    if (entry.kind == 0)
        entry.kind = WeatherKind::Warning;
}

void WeatherProductList::addStationGroups(const QString& stationFilePath)
{
    QFile file(stationFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    constexpr auto kRecord = static_cast<qint64>(SynopRecord::kSize);
    std::vector<uint32_t> order; // distinct times as first met
    std::unordered_map<uint32_t, uint32_t> counts;
    QByteArray block;
    for (;;) {
        block = file.read(kStationBlockRecords * kRecord);
        const qsizetype whole = block.size() / kRecord; // a cut-off last record is no record
        for (qsizetype r = 0; r < whole; ++r) {
            const auto* p = reinterpret_cast<const uint8_t*>(block.constData()) + r * kRecord
                            + SynopRecord::OffObservationTime;
            const uint32_t time = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16
                                  | uint32_t(p[3]) << 24;
            if (counts[time]++ == 0)
                order.push_back(time);
        }
        if (block.size() < kStationBlockRecords * kRecord)
            break;
    }
    for (uint32_t time : order) {
        if (full())
            return;
        WeatherFileEntry entry;
        entry.time = time;
        entry.kind = WeatherKind::Synop;
        entry.title = stationTitle(counts[time]);
        entry.source = WeatherFileEntry::Source::StationFile;
        entries_.push_back(std::move(entry));
    }
}

void WeatherProductList::addTextFiles(const QString& synopFolder)
{
    WeatherFileEntry like;
    like.source = WeatherFileEntry::Source::TextFile;
    addDatedFiles(entries_, synopFolder, QStringLiteral("*.rtf"), like);
    sortNewestFirst();
    for (WeatherFileEntry& entry : entries_)
        if (entry.source == WeatherFileEntry::Source::TextFile)
            classify(entry);
}

void WeatherProductList::addFaxImages(const QString& faxFolder)
{
    WeatherFileEntry like;
    like.kind = WeatherKind::Fax;
    like.title = QStringLiteral("FAX-IMAGE");
    like.source = WeatherFileEntry::Source::FaxImage;
    addDatedFiles(entries_, faxFolder, QStringLiteral("fax_*.bmp"), like);
    sortNewestFirst();
}

void WeatherProductList::sortNewestFirst()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const WeatherFileEntry& a, const WeatherFileEntry& b) { return a.time > b.time; });
}

WeatherProductList WeatherProductList::build(const QString& programFolder)
{
    WeatherProductList list;
    list.addStationGroups(programPath(programFolder, QStringLiteral("SYNOP\\STATION.DAT")));
    list.addTextFiles(programPath(programFolder, QStringLiteral("SYNOP")));
    list.addFaxImages(programPath(programFolder, QStringLiteral("FAX")));
    return list;
}

} // namespace kesmar
