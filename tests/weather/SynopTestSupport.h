#pragma once
// Small decoder tables, a decoder whose records are collected in memory,
// helpers to feed bulletins, and a program folder in a temporary directory
// for the conversion's tests, which read the station file back.
#include "core/QtBytes.h"
#include "weather/SynopDecoder.h"
#include "weather/SynopFileContext.h"
#include "weather/SynopRecord.h"
#include "weather/SynopTables.h"
#include "weather/SynopTimeWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace kesmar::test {

inline void setTimeZone(const char* zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

struct TestStation {
    uint32_t number;
    int16_t latitude;
    int16_t longitude;
    const char* indicator;
    const char* name;
};

inline void addStations(SynopTables& tables, const std::vector<TestStation>& stations)
{
    std::vector<uint8_t> bytes;
    for (const TestStation& s : stations) {
        StationEntry e;
        e.number = s.number;
        e.latitudeMinutes = s.latitude;
        e.longitudeMinutes = s.longitude;
        for (int i = 0; i < 4; ++i)
            e.indicator[static_cast<size_t>(i)] = s.indicator[i];
        e.setName(s.name);
        e.appendTableForm(bytes);
    }
    ASSERT_TRUE(tables.stations().loadBytes(toQByteArray(bytes)).ok());
}

inline void loadTestTables(SynopTables& tables, const std::vector<TestStation>& extra = {})
{
    std::vector<TestStation> stations = {
        {0, -3006, 526, "EDZW", "OFFENBACH"},
        {10400, -3077, 406, "EDDL", "DUESSELDORF"},
        {10401, -3080, 410, "    ", "TESTSTATION"},
        {10402, -3081, 411, "    ", "ZWEITE"},
    };
    stations.insert(stations.end(), extra.begin(), extra.end());
    addStations(tables, stations);
    ASSERT_TRUE(tables.ttTable().loadBytes("SM Synoptische Meldungen\nSI Zwischentermine\n").ok());
    ASSERT_TRUE(tables.aaTable().loadBytes("DL Deutschland\nRO Rumaenien\nVE Schiffe\nCG Kongo\nPR Peru\n").ok());
    ASSERT_TRUE(tables.textTable().loadBytes("RRMM Nachtrag\nCCMM Berichtigung\n").ok());
    tables.setLoaded(true);
}

// Feeds text as the conversion reads a file: lines up to LF, 199 at most.
inline void feedText(SynopDecoder& decoder, const std::string& text)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t length = std::min<size_t>(SynopDecoder::kMaxLineLength, text.size() - at);
        const size_t lf = text.find('\n', at);
        if (lf != std::string::npos && lf - at + 1 < length)
            length = lf - at + 1;
        decoder.FeedSynopLine(std::string_view(text).substr(at, length));
        at += length;
    }
}

// A sink that collects the decoder's records.
inline SynopDecoder::RecordSink collectInto(std::vector<SynopRecord>& records)
{
    return [&records](const SynopRecord& record) { records.push_back(record); };
}

inline std::vector<SynopRecord> readStationFile(const QString& path)
{
    std::vector<SynopRecord> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + qsizetype(SynopRecord::kSize) <= bytes.size(); at += SynopRecord::kSize)
        records.push_back(SynopRecord::deserialise(std::span<const uint8_t, SynopRecord::kSize>(
            reinterpret_cast<const uint8_t*>(bytes.constData() + at), SynopRecord::kSize)));
    return records;
}

// One framed bulletin: SOH, message number, heading, section line, reports, ETX.
inline std::string makeBulletin(const std::string& body, const std::string& heading = "SMDL01 EDZW 171200",
                                const std::string& section = "AAXX 17121")
{
    return "\x01\r\r\n001\r\r\n" + heading + "\r\r\n" + section + "\r\r\n" + body + "\r\r\n\x03";
}

// Bulletins of 17 January 2023; the conversion runs at 14:30 UTC.
class SynopFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setTimeZone("UTC");
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("SYNOP")));
        loadTestTables(tables);
    }
    void TearDown() override { setTimeZone("UTC"); }

    QString folder() const { return dir.path(); }
    QString stationFile() const { return dir.filePath(QStringLiteral("SYNOP/STATION.DAT")); }
    SynopTimeWindow window() const { return SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30); }

    // A decoder for a file of that day and hour whose records go to records.
    std::unique_ptr<SynopDecoder> makeDecoder(int day = 17, int hour = 12)
    {
        auto decoder = std::make_unique<SynopDecoder>(tables, collectInto(records));
        const SynopTimeWindow w = window();
        const int64_t fileTime = SynopTimeWindow::localTimeValue(2023, 1, day, hour, 0, 0);
        decoder->SetSynopFileContext(SynopFileContext::forFile(2023, 1, day, hour, fileTime, w));
        decoder->BeginSynopFile();
        return decoder;
    }
    // One framed bulletin through a fresh decoder; the records it handed on.
    std::vector<SynopRecord> decode(const std::string& text)
    {
        records.clear();
        auto decoder = makeDecoder();
        feedText(*decoder, text);
        decoder->EndSynopFile();
        return records;
    }
    static std::string bulletin(const std::string& body, const std::string& heading = "SMDL01 EDZW 171200",
                                const std::string& section = "AAXX 17121")
    {
        return makeBulletin(body, heading, section);
    }
    static int64_t utcTime(int day, int hour)
    {
        return SynopTimeWindow::localTimeValue(2023, 1, day, hour, 0, 0);
    }

    QTemporaryDir dir;
    SynopTables tables;
    std::vector<SynopRecord> records; // what decoders of makeDecoder() handed on
};

} // namespace kesmar::test
