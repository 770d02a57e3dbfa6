#include "SynopTestSupport.h"

#include "weather/StationFileAppender.h"
#include "weather/StationFileDeduplicator.h"
#include "weather/SynopConversion.h"

#include <QDir>
#include <algorithm>
#include <cstring>
#include <QFileInfo>
#include <unistd.h>

using namespace kesmar;
using namespace kesmar::test;

namespace {

class SynopConversionTest : public SynopFolderTest {
protected:
    // Hour i of the window of 14:30 UTC on the 17th: hour 0 is 14:00 on the 14th.
    QString writeHourFile(int i, const std::string& text)
    {
        const std::tm f = SynopTimeWindow::localFields(window().hourTime(i));
        const QString name = SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour);
        QFile file(dir.filePath(QStringLiteral("SYNOP/") + name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return name;
    }
    static std::string report(int station, int temperature)
    {
        return std::to_string(station) + " 41580 82710 10" + std::to_string(1000 + temperature).substr(1) + " 20011=";
    }
    // Records of stations 10400, 10401, ... or all of station 10400.
    void writeRecords(const QString& path, int count, bool distinct = true)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < count; ++i) {
            SynopRecord r;
            r.stationEntry.number = 10400 + (distinct ? static_cast<uint32_t>(i) : 0);
            r.observationTime = 1000;
            const auto bytes = r.serialise();
            file.write(reinterpret_cast<const char*>(bytes.data()), SynopRecord::kSize);
        }
    }
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
};

TEST_F(SynopConversionTest, ScanListsTheWindowAndConvertsNewestFirst)
{
    const QString hour3 = writeHourFile(3, bulletin(report(10401, 13), "SMDL01 EDZW 141700", "AAXX 14171"));
    const QString hour70 = writeHourFile(70, bulletin(report(10400, 70)));
    const QString empty = writeHourFile(10, "");
    writeHourFile(74, bulletin(report(10402, 74))); // past the window
    EXPECT_EQ(hour3, "2023011417_syn.wmo");
    EXPECT_EQ(hour70, "2023011712_syn.wmo");

    SynopConversion conversion(folder(), tables);
    std::vector<QString> tested;
    conversion.scan(window(), [&tested](int, const QString& line) { tested.push_back(line); });
    ASSERT_EQ(tested.size(), 73u);
    EXPECT_EQ(tested.front(), "Test: Synop-Data 14.1.2023 14:00");
    EXPECT_EQ(tested.back(), "Test: Synop-Data 17.1.2023 14:00");
    ASSERT_EQ(conversion.status(), SynopConversion::Status::Converting);
    const auto& files = conversion.files();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, hour3);
    EXPECT_EQ(files[1].name, empty);
    EXPECT_EQ(files[1].size, 0u);
    EXPECT_EQ(files[2].name, hour70);
    EXPECT_EQ(conversion.progress().totalBytes, int64_t(files[0].size) + files[2].size);
    EXPECT_EQ(files[2].statusText, QStringLiteral("load: %1 Byte Synop-Data 17.1.2023 12:00").arg(files[2].size));

    ASSERT_TRUE(conversion.step()); // opens the newest file
    EXPECT_EQ(conversion.progress().fileLine, files[2].statusText);
    EXPECT_EQ(conversion.progress().phase, 2);
    conversion.run();
    EXPECT_EQ(conversion.status(), SynopConversion::Status::Finished);
    EXPECT_EQ(conversion.progress().totalPercent, 100);
    EXPECT_EQ(conversion.filesConverted(), 3u);
    const auto records = readStationFile(stationFile());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].stationEntry.number, 10400u);
    EXPECT_EQ(records[1].stationEntry.number, 10401u);
    EXPECT_EQ(records[1].airTemperature, 13);
}

TEST(StationFileDeduplicatorTest, SurvivorsAreTheLastOfEqualKeys)
{
    auto key = [](uint8_t a) {
        std::vector<uint8_t> k(StationFileDeduplicator::kKeySize, 0);
        k[0] = a;
        k[9] = a; // the time's last byte takes part too
        return k;
    };
    const std::vector<std::vector<uint8_t>> keys = {key(1), key(2), key(1), key(3), key(2), key(0), key(3)};
    std::vector<uint8_t> packed;
    for (const auto& k : keys)
        packed.insert(packed.end(), k.begin(), k.end());
    const std::vector<bool> expected = {false, false, true, false, true, false, true};
    EXPECT_EQ(StationFileDeduplicator::survivors(packed), expected);
}

// The key is the station number's low 16 bits, latitude, longitude and
// observation time, 10 bytes, and not one byte more.
TEST(StationFileDeduplicatorTest, KeyOfARecord)
{
    SynopRecord r;
    r.stationEntry.number = 0x12345;
    r.stationEntry.latitudeMinutes = -3078;
    r.stationEntry.longitudeMinutes = 406;
    r.observationTime = 0x01020304;
    const auto bytes = r.serialise();
    uint8_t key[StationFileDeduplicator::kKeySize + 1];
    std::memset(key, 0xEE, sizeof key);
    StationFileDeduplicator::keyOf(bytes.data(), key);
    const uint8_t expected[] = {0x45, 0x23, 0xFA, 0xF3, 0x96, 0x01, 0x04, 0x03, 0x02, 0x01, 0xEE};
    EXPECT_EQ(std::vector<uint8_t>(key, key + sizeof key), std::vector<uint8_t>(expected, expected + sizeof expected));
}

// Keys that differ in any one of their ten bytes are different reports.
TEST(StationFileDeduplicatorTest, EveryKeyByteCounts)
{
    std::vector<uint8_t> packed;
    for (size_t differing = 0; differing < StationFileDeduplicator::kKeySize; ++differing) {
        std::vector<uint8_t> k(StationFileDeduplicator::kKeySize, 0x11);
        k[differing] = 0x22;
        packed.insert(packed.end(), k.begin(), k.end());
    }
    const std::vector<uint8_t> base(StationFileDeduplicator::kKeySize, 0x11);
    packed.insert(packed.end(), base.begin(), base.end());
    EXPECT_EQ(StationFileDeduplicator::survivors(packed), std::vector<bool>(StationFileDeduplicator::kKeySize + 1, true));
}

// More records than one read takes: the runs of kept records end at each
// chunk's end, and the file comes out as it went in. Progress runs from 0.
TEST_F(SynopConversionTest, DuplicateRemovalOverSeveralChunks)
{
    constexpr int kRecords = 8192 + 3;
    writeRecords(stationFile(), kRecords);
    const QByteArray before = readAll(stationFile());
    std::vector<std::pair<StationFileDeduplicator::Stage, int>> progress;
    const auto result = StationFileDeduplicator(folder()).run(
        [&progress](StationFileDeduplicator::Stage stage, int percent) { progress.emplace_back(stage, percent); });
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(result.recordsAfter, size_t(kRecords));
    EXPECT_EQ(readAll(stationFile()), before);
    const auto firstWriting = std::find_if(progress.begin(), progress.end(), [](const auto& p) {
        return p.first == StationFileDeduplicator::Stage::Writing;
    });
    ASSERT_NE(firstWriting, progress.end());
    EXPECT_EQ(firstWriting->second, 0);
    EXPECT_EQ(progress.front(), std::make_pair(StationFileDeduplicator::Stage::Testing, 99));
}

// A station file of one record: writing starts at 0 per cent as well.
TEST_F(SynopConversionTest, DuplicateRemovalProgressOfOneRecord)
{
    writeRecords(stationFile(), 1);
    std::vector<std::pair<StationFileDeduplicator::Stage, int>> progress;
    (void)StationFileDeduplicator(folder()).run(
        [&progress](StationFileDeduplicator::Stage stage, int percent) { progress.emplace_back(stage, percent); });
    const std::vector<std::pair<StationFileDeduplicator::Stage, int>> expected = {
        {StationFileDeduplicator::Stage::Testing, 100}, {StationFileDeduplicator::Stage::Writing, 0}};
    EXPECT_EQ(progress, expected);
}

TEST_F(SynopConversionTest, DuplicateReportStaysInThePlaceOfItsLastOccurrence)
{
    writeHourFile(70, bulletin(report(10400, 1) + "\r\r\n" + report(10401, 2)));
    writeHourFile(69, bulletin(report(10400, 3), "SMDL01 EDZW 171100 CCA")); // same report, corrected
    SynopConversion conversion(folder(), tables);
    conversion.scan(window());
    conversion.run();
    EXPECT_EQ(conversion.reportsWritten(), 3u);
    EXPECT_EQ(conversion.duplicateRemoval().removed(), 1u);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("SYNOP/STATION.TMP"))));
    const auto records = readStationFile(stationFile());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].stationEntry.number, 10401u);
    EXPECT_EQ(records[1].stationEntry.number, 10400u);
    EXPECT_EQ(records[1].airTemperature, 3);
}

TEST_F(SynopConversionTest, CancelKeepsAppendedRecordsAndLeavesNoTempFile)
{
    std::string body;
    for (int i = 0; i < 50; ++i)
        body += report(10400 + i % 3, i) + "\r\r\n";
    writeHourFile(70, bulletin(body));
    writeHourFile(71, bulletin(report(10400, 5)));
    SynopConversion conversion(folder(), tables);
    conversion.setLinesPerStep(10);
    conversion.scan(window());
    for (int i = 0; i < 4; ++i) // the newest file whole, then part of the next
        ASSERT_TRUE(conversion.step());
    conversion.cancel();
    EXPECT_EQ(conversion.status(), SynopConversion::Status::Cancelled);
    EXPECT_FALSE(conversion.step());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("SYNOP/STATION.TMP"))));
    const auto records = readStationFile(stationFile());
    EXPECT_EQ(records.size(), conversion.reportsWritten());
    EXPECT_GE(records.size(), 2u); // no duplicate removal after a cancel
}

TEST_F(SynopConversionTest, TempFileOfAnInterruptedRunIsPutBack)
{
    writeRecords(dir.filePath(QStringLiteral("SYNOP/STATION.TMP")), 2);
    QFile partial(stationFile()); // the rewrite had got this far
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.write(QByteArray(100, 'x'));
    partial.close();
    writeHourFile(70, bulletin(report(10400, 1)));
    SynopConversion conversion(folder(), tables);
    conversion.scan(window());
    EXPECT_TRUE(conversion.restoredLeftover());
    conversion.run();
    const auto records = readStationFile(stationFile());
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].stationEntry.number, 10400u);
    EXPECT_EQ(records[1].stationEntry.number, 10401u);
    EXPECT_EQ(records[2].airTemperature, 1);
}

// The survivors go to a new file renamed over the old one: the old file is
// never written to, so a second name of it still holds every record.
TEST_F(SynopConversionTest, DuplicateRemovalReplacesTheStationFileByRename)
{
    writeRecords(stationFile(), 3, false);
    const QByteArray before = readAll(stationFile());
    const QString oldName = dir.filePath(QStringLiteral("SYNOP/OLD.DAT"));
    ASSERT_EQ(::link(QFile::encodeName(stationFile()).constData(), QFile::encodeName(oldName).constData()), 0);
    const auto result = StationFileDeduplicator(folder()).run();
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_TRUE(result.rewritten);
    EXPECT_EQ(result.removed(), 2u);
    EXPECT_EQ(readStationFile(stationFile()).size(), 1u);
    EXPECT_EQ(readAll(oldName), before);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("SYNOP/STATION.NEW"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("SYNOP/STATION.TMP"))));
}

// A new file that cannot be written leaves the station file as it was.
TEST_F(SynopConversionTest, DuplicateRemovalThatCannotWriteLeavesTheStationFile)
{
    writeRecords(stationFile(), 3, false);
    const QByteArray before = readAll(stationFile());
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("SYNOP"))).mkdir(QStringLiteral("STATION.NEW")));
    const auto result = StationFileDeduplicator(folder()).run();
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_FALSE(result.rewritten);
    EXPECT_EQ(result.removed(), 0u);
    EXPECT_EQ(readAll(stationFile()), before);
}

// A crash before the rename leaves a partial STATION.NEW beside the whole
// old file: the next conversion deletes it and keeps the station file.
TEST_F(SynopConversionTest, UnfinishedNewFileIsDeleted)
{
    writeRecords(stationFile(), 2);
    const QByteArray before = readAll(stationFile());
    QFile partial(dir.filePath(QStringLiteral("SYNOP/STATION.NEW")));
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.write(QByteArray(100, 'x'));
    partial.close();
    EXPECT_FALSE(StationFileDeduplicator(folder()).restoreLeftover());
    EXPECT_FALSE(partial.exists());
    EXPECT_EQ(readAll(stationFile()), before);
}

TEST_F(SynopConversionTest, NothingToConvert)
{
    writeRecords(stationFile(), 2, false); // duplicates, but no removal without files
    writeHourFile(5, "");
    SynopConversion conversion(folder(), tables);
    conversion.scan(window());
    EXPECT_EQ(conversion.status(), SynopConversion::Status::NothingToDo);
    EXPECT_FALSE(conversion.step());
    EXPECT_EQ(readStationFile(stationFile()).size(), 2u);
}

TEST_F(SynopConversionTest, NoStationFileAtTheEndIsNoError)
{
    writeHourFile(70, bulletin("10400 NIL="));
    SynopConversion conversion(folder(), tables);
    conversion.scan(window());
    conversion.run();
    EXPECT_EQ(conversion.status(), SynopConversion::Status::Finished);
    EXPECT_FALSE(conversion.duplicateRemoval().rewritten);
    EXPECT_TRUE(conversion.duplicateRemoval().error.isEmpty());
    EXPECT_FALSE(QFile::exists(stationFile()));
}

TEST_F(SynopConversionTest, MissingTablesDecodeNothing)
{
    writeHourFile(70, bulletin(report(10400, 1)));
    SynopTables missing;
    EXPECT_FALSE(missing.load(folder()).ok());
    SynopConversion conversion(folder(), missing);
    conversion.scan(window());
    EXPECT_EQ(conversion.status(), SynopConversion::Status::TablesMissing);
    EXPECT_FALSE(conversion.step());
    EXPECT_FALSE(QFile::exists(stationFile()));
}

TEST_F(SynopConversionTest, AppendingCutsAPartialRecordFirst)
{
    QFile file(stationFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(SynopRecord::kSize + 100, '\0'));
    file.close();
    {
        StationFileAppender appender(folder());
        SynopRecord r;
        r.stationEntry.number = 10400;
        appender.append(r);
        EXPECT_TRUE(appender.flush());
        EXPECT_EQ(appender.recordsWritten(), 1u);
    }
    EXPECT_EQ(QFileInfo(stationFile()).size(), qint64(2 * SynopRecord::kSize));
    EXPECT_EQ(readStationFile(stationFile())[1].stationEntry.number, 10400u);
}

} // namespace
