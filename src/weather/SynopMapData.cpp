#include "weather/SynopMapData.h"

#include "core/FileUtil.h"
#include "weather/StationTable.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <span>

namespace kesmar {

Status SynopMapData::load(const QString& programFolder, const StationTable* stations)
{
    const QString path = programPath(programFolder, QString::fromLatin1(kStationFile));
    const auto bytes = readWholeFile(path);
    stations_.clear();
    times_.clear();
    problems_.clear();
    if (!bytes) return Error::inFile(path, QStringLiteral("Datei kann nicht gelesen werden"));
    loadBytes(*bytes, path, stations);
    return {};
}

void SynopMapData::loadBytes(const QByteArray& bytes, const QString& fileName, const StationTable* stations)
{
    stations_.clear();
    times_.clear();
    problems_.clear();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const size_t whole = size_t(bytes.size()) / SynopRecord::kSize;
    const size_t rest = size_t(bytes.size()) % SynopRecord::kSize;
    int unplaced = 0, unknown = 0;
    stations_.reserve(whole);
    for (size_t i = 0; i < whole; ++i) {
        const std::span<const uint8_t, SynopRecord::kSize> raw(data + i * SynopRecord::kSize, SynopRecord::kSize);
        add(SynopRecord::deserialise(raw), stations, unplaced, unknown);
    }
    if (bytes.isEmpty())
        problems_ << QStringLiteral("%1: die Datei ist leer.").arg(fileName);
    if (rest != 0)
        problems_ << QStringLiteral("%1: das Ende ist beschädigt (%2 Bytes nach Satz %3 ohne vollständigen Satz).")
                         .arg(fileName).arg(rest).arg(whole);
    if (unplaced > 0)
        problems_ << QStringLiteral("%1 Meldungen ohne gültige Station oder Position wurden übergangen.").arg(unplaced);
    if (unknown > 0)
        problems_ << QStringLiteral("%1 Meldungen von Stationen, die DATA\\WMOSTAT.DAT nicht kennt (an ihrer gemeldeten Position gezeichnet).")
                         .arg(unknown);
    finish();
}

void SynopMapData::setRecords(const std::vector<SynopRecord>& records)
{
    stations_.clear();
    times_.clear();
    problems_.clear();
    int unplaced = 0, unknown = 0;
    for (const SynopRecord& r : records) add(r, nullptr, unplaced, unknown);
    finish();
}

void SynopMapData::add(const SynopRecord& record, const StationTable* stations, int& unplaced, int& unknown)
{
    Station s{record, StationObservation::fromRecord(record)};
    if (!s.observation.positionValid || record.has(SynopFlag::Rejected) || record.observationTime == 0) {
        ++unplaced;
        return;
    }
    StationEntry known;
    if (stations && !s.observation.ship && !stations->findByNumber(s.observation.number, known)) ++unknown;
    stations_.push_back(std::move(s));
}

void SynopMapData::finish()
{
    for (const Station& s : stations_) times_.push_back(s.record.observationTime);
    std::sort(times_.begin(), times_.end());
    times_.erase(std::unique(times_.begin(), times_.end()), times_.end());
}

int SynopMapData::countAt(uint32_t time) const
{
    return int(indicesAt(time).size());
}

std::vector<int> SynopMapData::indicesAt(uint32_t time) const
{
    // A corrected report (CCA) follows its original: keep the last one.
    std::map<std::pair<QString, uint32_t>, int> latest;
    for (size_t i = 0; i < stations_.size(); ++i) {
        const Station& s = stations_[i];
        if (s.record.observationTime != time) continue;
        latest[{s.observation.ship ? s.observation.name : QString(), s.observation.ship ? 0 : s.observation.number}] =
            int(i);
    }
    std::vector<int> out;
    out.reserve(latest.size());
    for (const auto& entry : latest) out.push_back(entry.second);
    std::sort(out.begin(), out.end());
    return out;
}

uint32_t SynopMapData::nearestTime(uint32_t time) const
{
    if (times_.empty()) return 0;
    const auto it = std::lower_bound(times_.begin(), times_.end(), time);
    if (it == times_.end()) return times_.back();
    if (it == times_.begin() || *it == time) return *it;
    const uint32_t before = *(it - 1);
    return time - before <= *it - time ? before : *it;
}

QStringList SynopMapData::problemsAt(uint32_t time) const
{
    QStringList out;
    for (int i : indicesAt(time)) {
        const StationObservation& o = stations_[size_t(i)].observation;
        if (o.rejected.isEmpty()) continue;
        const QString who = o.ship ? o.name : QStringLiteral("%1 %2").arg(o.number, 5, 10, QLatin1Char('0')).arg(o.name);
        out << QStringLiteral("%1: unmöglicher Wert, nicht gezeichnet: %2").arg(who, o.rejected.join(QStringLiteral(", ")));
    }
    return out;
}

} // namespace kesmar
