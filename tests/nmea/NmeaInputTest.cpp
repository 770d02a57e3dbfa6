#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/SimulatedTrack.h"
#include "nmea/VesselState.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

class NmeaInputTest : public testing::Test {
protected:
    NmeaInputTest() { input.setDisplayInterval(0); }

    QString panel(NmeaPanelField field) const
    {
        for (int i = panelSpy.count() - 1; i >= 0; --i) {
            if (panelSpy.at(i).at(0).value<NmeaPanelField>() == field)
                return panelSpy.at(i).at(1).toString();
        }
        return {};
    }

    VesselState state;
    NmeaLog log;
    NmeaInput input{state, log};
    QSignalSpy panelSpy{&input, &NmeaInput::panelTextChanged};
    QSignalSpy movedSpy{&input, &NmeaInput::vesselMoved};
};

TEST_F(NmeaInputTest, GllExampleMovesTheVessel)
{
    input.receiveDatagram("$GPGLL,5412.345,N,01005.678,E,123456,A\r\n");
    EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3252.345);
    EXPECT_DOUBLE_EQ(state.longitudeMinutes, 605.678);
    EXPECT_EQ(movedSpy.count(), 1);
    EXPECT_EQ(panel(NmeaPanelField::Latitude), QString::fromUtf8("   LAT:   54°12.345N"));
    EXPECT_EQ(panel(NmeaPanelField::Longitude), QString::fromUtf8("  LON:    10°05.678E"));
    EXPECT_EQ(log.text(), "$GPGLL,5412.345,N,01005.678,E,123456,A\r\n");
}

TEST_F(NmeaInputTest, StartPositionAndStatusPanes)
{
    QSignalSpy lat(&input, &NmeaInput::gpsLatitudeTextChanged);
    QSignalSpy lon(&input, &NmeaInput::gpsLongitudeTextChanged);
    EXPECT_TRUE(input.setStartPosition());
    EXPECT_EQ(lat.last().at(0).toString(), QString::fromUtf8("52°49.897S"));
    EXPECT_EQ(lon.last().at(0).toString(), QString::fromUtf8(" 10°05.477W"));
    EXPECT_EQ(panel(NmeaPanelField::Latitude), QString::fromUtf8("   LAT:   52°49.897S"));
    EXPECT_EQ(movedSpy.count(), 1);
}

TEST_F(NmeaInputTest, SentencesThatMustNotMoveTheVessel)
{
    input.receiveDatagram("$GPGLL,5412.345,N,01005.678,E");
    const char* cases[] = {
        "$GPGLL,5500.000,N",                                                            // missing comma
        "$GPGLL,5500.000,N,01000.000",                                                  // missing hemisphere
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48",            // wrong checksum
        "$GPRMC,235946.005,V,8960.000000,N,00000.000000,E,0.000,0.00,050180,,,N*47",    // placeholder
        "$GPRMC,214350,V,4023.8600,N,00339.1630,W,10.8,0.0,140605,2.5,W,S*21",          // status V
        "$GPGGA,081434.590,5212.978993,N,00653.097906,E,0,3,,102.907,M,47.093,M,,*42",  // quality 0
        "$GPGLL,4916.45,N,12311.12,W,225444,V",                                         // GLL status V
        "$GPRMC,,V,,,,,,,,,,N*53",
        "$GPGGA,,,,,,0,00,99.99,,,,,,*48",
        "$PGRMC,A,218.8,100",
        "GPGLL,4916.45,N,12311.12,W,225444,A",                                          // no '$'
    };
    for (const char* text : cases) {
        input.receiveDatagram(text);
        EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3252.345) << text;
        EXPECT_DOUBLE_EQ(state.longitudeMinutes, 605.678) << text;
    }
    EXPECT_EQ(movedSpy.count(), 1);
}

TEST_F(NmeaInputTest, InvalidFixStillSetsTheClock)
{
    input.receiveDatagram("$GPRMC,214350,V,4023.8600,N,00339.1630,W,10.8,0.0,140605,2.5,W,S*21");
    EXPECT_EQ(panel(NmeaPanelField::Utc), "21:43:50  14.06.05");
    EXPECT_EQ(state.longitudeMinutes, VesselState::kUnknownMinutes);
}

TEST_F(NmeaInputTest, SamePositionTwiceIsShownOnce)
{
    input.receiveDatagram("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
    const int rows = panelSpy.count();
    input.receiveDatagram("$GPGLL,4807.038,N,01131.000,E,123520,A");
    EXPECT_EQ(movedSpy.count(), 1);
    EXPECT_EQ(panelSpy.count(), rows);
}

TEST_F(NmeaInputTest, TimeLineWaitsForNonZeroValues)
{
    input.receiveDatagram("$GPGGA,000000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(panel(NmeaPanelField::Utc), QString());
    input.receiveDatagram("$GPGGA,000001,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(panel(NmeaPanelField::Utc), "00:00:01  --.--.--");
    input.receiveDatagram("$GPRMC,123519.00,A,4807.038,N,01131.000,E,,,230394,,*33");
    EXPECT_EQ(panel(NmeaPanelField::Utc), "12:35:19  23.03.94");
    EXPECT_EQ(panel(NmeaPanelField::Satellites), "08");
    EXPECT_EQ(panel(NmeaPanelField::Height), "0545");
}

TEST_F(NmeaInputTest, RmcWithoutDateKeepsTheDate)
{
    input.receiveDatagram("$GPRMC,123519.00,A,4807.038,N,01131.000,E,,,230394,,");
    EXPECT_EQ(panel(NmeaPanelField::Utc), "12:35:19  23.03.94");
    input.receiveDatagram("$GPRMC,123520.00,A,4807.038,N,01131.000,E,,,,,");
    EXPECT_EQ(panel(NmeaPanelField::Utc), "12:35:20  23.03.94");
}

TEST_F(NmeaInputTest, EquatorAndPrimeMeridianAreNorthAndEast)
{
    QSignalSpy lat(&input, &NmeaInput::gpsLatitudeTextChanged);
    QSignalSpy lon(&input, &NmeaInput::gpsLongitudeTextChanged);
    input.receiveDatagram("$GPGLL,0000.000,N,00000.000,E,123456,A");
    ASSERT_EQ(lat.count(), 1);
    EXPECT_EQ(lat.last().at(0).toString(), QString::fromUtf8(" 0°00.000N"));
    EXPECT_EQ(lon.last().at(0).toString(), QString::fromUtf8("  0°00.000E"));
}

TEST_F(NmeaInputTest, VtgWritesSpeedAndCourses)
{
    QSignalSpy course(&input, &NmeaInput::courseTextChanged);
    input.receiveDatagram("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48");
    EXPECT_EQ(panel(NmeaPanelField::Speed), "5.5 Kn");
    EXPECT_EQ(panel(NmeaPanelField::CourseMagnetic), QString::fromUtf8(" 34°"));
    EXPECT_EQ(state.courseDegrees, 54);
    ASSERT_EQ(course.count(), 1);
    EXPECT_EQ(course.last().at(0).toString(), "54");
    const int before = panelSpy.count();
    input.receiveDatagram("$GPVTG,,T,,M,,N,,K,N");  // empty fields change nothing
    EXPECT_EQ(panelSpy.count(), before);
    EXPECT_EQ(state.courseDegrees, 54);
}

TEST_F(NmeaInputTest, FullCircleIsNorth)
{
    QSignalSpy course(&input, &NmeaInput::courseTextChanged);
    input.receiveDatagram("$GPVTG,360.0,T,360.0,M,005.5,N,010.2,K");
    EXPECT_EQ(state.courseDegrees, 0);
    EXPECT_EQ(panel(NmeaPanelField::CourseMagnetic), QString::fromUtf8("  0°"));
    // The simulated track's course, the same way.
    input.courseUpdate(45);
    input.courseUpdate(360);
    EXPECT_EQ(state.courseDegrees, 0);
    ASSERT_EQ(course.count(), 3);
    EXPECT_EQ(course.at(1).at(0).toString(), "45");
    EXPECT_EQ(course.at(2).at(0).toString(), "0");
    input.courseUpdate(0); // unchanged: not shown again
    EXPECT_EQ(course.count(), 3);
}

TEST_F(NmeaInputTest, SimulatedClockShowsOnlyChanges)
{
    input.setTime(10, 20, 30);
    EXPECT_EQ(panel(NmeaPanelField::Utc), "10:20:30  --.--.--");
    const int rows = panelSpy.count();
    input.setTime(10, 20, 30);
    EXPECT_EQ(panelSpy.count(), rows);
    input.setTime(10, 20, 31);
    EXPECT_EQ(panel(NmeaPanelField::Utc), "10:20:31  --.--.--");
}

TEST_F(NmeaInputTest, AnyBytesAreSafe)
{
    QByteArray big(300, 'A');
    big[0] = '$';
    QByteArray withNul("$GPGLL,5412.345,N\0,01005.678,E", 31);
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary.append(char(i));
    for (const QByteArray& bytes : {big, withNul, binary, QByteArray("\n$GPGLL,5412.345,N,01005.678,E"),
                                    QByteArray("$"), QByteArray(), QByteArray("$,,,,,,,,*")}) {
        input.receiveDatagram(bytes);
        EXPECT_EQ(state.longitudeMinutes, VesselState::kUnknownMinutes);
    }
    // Only the part before the first LF counts.
    input.receiveDatagram("$GPGLL,5412.345,N,01005.678,E\n$GPGLL,0000.000,N,00000.000,E");
    EXPECT_DOUBLE_EQ(state.longitudeMinutes, 605.678);
}

TEST_F(NmeaInputTest, DisplayIsCoalesced)
{
    input.setDisplayInterval(1000);
    for (int i = 0; i < 1000; ++i)
        input.receiveDatagram(QByteArray("$GPGLL,5412.") + QByteArray::number(100 + i) + ",N,01005.678,E");
    EXPECT_EQ(movedSpy.count(), 0);
    EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3252.1099);
    input.flushDisplay();
    EXPECT_EQ(movedSpy.count(), 1);
    EXPECT_EQ(panel(NmeaPanelField::Latitude), QString::fromUtf8("   LAT:   54°12.110N"));
}

struct LogCase {
    const char* name;
    QByteArray line;
    QByteArray text;
};

class NmeaLogLines : public testing::TestWithParam<LogCase> {};

TEST_P(NmeaLogLines, EndAtTheFirstLineFeedOrNul)
{
    NmeaLog log;
    EXPECT_TRUE(log.append(GetParam().line));
    EXPECT_EQ(log.text(), GetParam().text) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Lines, NmeaLogLines, testing::Values(
    LogCase{"Plain", "$GPTXT,a", "$GPTXT,a\n"},
    LogCase{"LineFeedInside", "$GPTXT,a\n$GPTXT,b", "$GPTXT,a\n"},
    LogCase{"NulInside", QByteArray("$GPTXT,a\0b", 10), "$GPTXT,a\n"},
    LogCase{"LineFeedFirst", "\n$GPTXT,b", "\n"},
    LogCase{"NulFirst", QByteArray("\0$GPTXT,b", 9), "\n"}),
    [](const testing::TestParamInfo<LogCase>& p) { return std::string(p.param.name); });

TEST(NmeaLog, KeepsBelow4096Characters)
{
    NmeaLog log;
    EXPECT_TRUE(log.append(QByteArray(4089, 'x')));  // 4090 with its LF
    EXPECT_FALSE(log.append("123456"));
    EXPECT_TRUE(log.append("12345"));
    EXPECT_EQ(log.text().size(), 4096);
    EXPECT_FALSE(log.append(""));
    NmeaLog cut;
    cut.append("abc\ndef");
    EXPECT_EQ(cut.text(), "abc\n");
}

class SimulatedTrackTest : public NmeaInputTest {
protected:
    QString writeTrack(const QByteArray& lines)
    {
        QFile f(dir.filePath("DEMOCOOR.DAT"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
        return f.fileName();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            track.tick();
    }

    QTemporaryDir dir;
    SimulatedTrack track{input};
};

TEST_F(SimulatedTrackTest, OnePointKeepsItsPlaceAndCourseZero)
{
    ASSERT_EQ(track.load(writeTrack("$GPGGA,120000,5400.000,N,01000.000,E,1,08,1.0,0,M,,,,\r\n")), 1);
    EXPECT_TRUE(track.isRunning());
    ticks(11 * 4);
    EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3240.0);
    EXPECT_DOUBLE_EQ(state.longitudeMinutes, 600.0);
    EXPECT_EQ(state.courseDegrees, 0);
    EXPECT_EQ(panel(NmeaPanelField::Speed), " 5.2 Kn");
}

TEST_F(SimulatedTrackTest, PingPongAndSmoothTurn)
{
    QByteArray lines;
    lines += "$GPGGA,120000,5400.000,N,01000.000,E,1\n";
    lines += "$GPGGA,120000,5400.000,N,01000.000,E,1\n";  // same point: skipped
    lines += "$GPGGA,120000,5401.000,N,01000.000,E,1\n";  // north
    lines += "$GPGGA,120000,5401.000,N,01001.000,E,1\n";  // east
    lines += "garbage line\n";
    ASSERT_EQ(track.load(writeTrack(lines)), 3);
    EXPECT_EQ(log.text().count('\n'), 3);
    std::vector<double> lons;
    for (int i = 0; i < 6; ++i) {
        track.tick();
        lons.push_back(state.longitudeMinutes);
        ticks(10);
    }
    EXPECT_EQ(lons, (std::vector<double>{600, 600, 601, 600, 600, 600}));
    // Leg 2 -> 3 heads east (90); the following leg back west turns through
    // the smoothed heading in ten steps without leaving 0-359.
    QSignalSpy course(&input, &NmeaInput::courseTextChanged);
    track.tick();
    ticks(10);
    EXPECT_GE(state.courseDegrees, 0);
    EXPECT_LE(state.courseDegrees, 359);
}

// North (course 359 by the plane bearing) then east (90): the heading turns
// the short way across north in ten equal steps of 9.1 degrees and ends on
// the new course. A reload starts forward again from the first point.
TEST_F(SimulatedTrackTest, TurnAcrossNorthEndsOnTheNewCourseAndReloadStartsForward)
{
    const QByteArray lines = "$GPGGA,1,5400.000,N,01000.000,E\n$GPGGA,1,5401.000,N,01000.000,E\n"
                             "$GPGGA,1,5401.000,N,01001.000,E\n";
    ASSERT_EQ(track.load(writeTrack(lines)), 3);
    track.tick(); // first point
    ticks(10);
    track.tick(); // second point: heading north
    ticks(10);
    track.tick(); // third point: the turn towards east starts
    QStringList headings; // 359 + 9.1 k, truncated, in 0-359
    for (int k = 1; k <= 10; ++k) {
        track.tick();
        headings << panel(NmeaPanelField::CourseMagnetic).trimmed();
    }
    EXPECT_EQ(headings.join(' '), QString::fromUtf8("8° 17° 26° 35° 44° 53° 62° 71° 80° 90°"));
    EXPECT_DOUBLE_EQ(state.longitudeMinutes, 601.0);

    ASSERT_EQ(track.load(writeTrack(lines)), 3);
    std::vector<double> latitudes;
    for (int i = 0; i < 3; ++i) {
        track.tick();
        latitudes.push_back(state.latitudeMinutes);
        ticks(10);
    }
    EXPECT_EQ(latitudes, (std::vector<double>{3240.0, 3241.0, 3241.0}));
}

// A stored sentence of 248 characters and its line end fit the line buffer;
// one character more and the line is over-long and skipped.
TEST_F(SimulatedTrackTest, LongestLineThatFits)
{
    const QByteArray sentence = "$GPGGA,1,5400.000,N,01000.000,E,";
    const QByteArray fits = sentence + QByteArray(248 - sentence.size(), '0') + "\n";
    const QByteArray tooLong = "$GPGGA,1,5401.000,N,01000.000,E," + QByteArray(249 - sentence.size(), '0') + "\n";
    EXPECT_EQ(track.load(writeTrack(fits + tooLong)), 1);
    EXPECT_EQ(track.lastLoad().skippedLines, 1);
}

TEST_F(SimulatedTrackTest, RealSentenceStopsIt)
{
    track.load(writeTrack("$GPGGA,1,5400.000,N,01000.000,E\n$GPGGA,1,5401.000,N,01000.000,E\n"));
    track.tick();
    input.receiveDatagram("$GPZDA,160012.71,11,03,2004,-1,00*7D");
    EXPECT_FALSE(track.isRunning());
    EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3240.0);
    ticks(30);
    EXPECT_DOUBLE_EQ(state.latitudeMinutes, 3240.0);
    input.receiveDatagram("noise without dollar");
    EXPECT_EQ(track.load(dir.filePath("missing.dat")), 0);
    EXPECT_FALSE(track.isRunning());
    EXPECT_FALSE(track.lastLoad().error); // no demo file is no fault
    EXPECT_EQ(track.lastLoad().skippedLines, 0);
}

// Lines that hold no position are counted; an over-long line is one skipped
// line, not two; a track file that cannot be read is an error.
TEST_F(SimulatedTrackTest, SkippedLinesAreCountedAndAnUnreadableFileIsAnError)
{
    const QByteArray good = "$GPGGA,1,5400.000,N,01000.000,E\n";
    // The tail of the long line is itself a valid sentence: read as a second
    // line it would add a point.
    const QByteArray overLong = "$GPGGA," + QByteArray(300, '0') + ",$GPGGA,1,5410.000,N,01010.000,E\n";
    ASSERT_EQ(track.load(writeTrack(good + "garbage\n\n" + overLong + "$GPGGA,1,5401.000,N,01000.000,E\n")), 2);
    EXPECT_EQ(track.lastLoad().skippedLines, 2);
    EXPECT_FALSE(track.lastLoad().error);

    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folder)); // there, but no file: unreadable even for root
    EXPECT_EQ(track.load(folder), 0);
    ASSERT_TRUE(track.lastLoad().error);
    EXPECT_EQ(track.lastLoad().error->file, folder);
}

} // namespace
