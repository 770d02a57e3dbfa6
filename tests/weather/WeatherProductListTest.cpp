#include "weather/BulletinTextBuffer.h"
#include "weather/WeatherProductList.h"
#include "weather/WeatherTree.h"

#include "BulletinTestSupport.h"

#include <gtest/gtest.h>

namespace kesmar {
namespace {

using test::ProgramFolder;

// 2003-12-05 12:00 UTC
constexpr uint32_t kDec5Noon2003 = 1070625600;

class ProductList : public ::testing::Test {
protected:
    void SetUp() override { test::useUtc(); }

    const WeatherFileEntry* find(const WeatherProductList& list, const QString& name)
    {
        for (const WeatherFileEntry& e : list.entries())
            if (e.name == name)
                return &e;
        return nullptr;
    }
    static QStringList childTexts(const WeatherTree::Root& root)
    {
        QStringList texts;
        for (const auto& child : root.children)
            texts << child.text;
        return texts;
    }

    ProgramFolder folder;
};

TEST_F(ProductList, NorthSeaHeaderGivesKindTitleAndTwoDigitYear)
{
    folder.writeBulletin(QStringLiteral("nord_2003_12_05_12_00.rtf"),
                         {QStringLiteral("BULLETIN FOR THE NORTHSEA"), QStringLiteral("GERMAN BIGHT NW 5")});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    const WeatherFileEntry& e = list.entries()[0];
    EXPECT_EQ(e.name, QStringLiteral("NORD_2003_12_05_12_00.RTF"));
    EXPECT_EQ(e.time, kDec5Noon2003);
    EXPECT_EQ(e.kind, WeatherKind::NorthSea);
    EXPECT_EQ(e.title, QStringLiteral("BULLETIN FOR THE NORTHSEA"));

    const auto roots = WeatherTree::build(list.entries());
    ASSERT_EQ(roots.size(), 9u);
    EXPECT_EQ(childTexts(roots[3]), QStringList{QStringLiteral("05.12.03 12:00 BULLETIN FOR THE NORTHSEA")});
    EXPECT_EQ(roots[3].children[0].data, 0x2000u + 1);
    EXPECT_EQ(roots[3].children[0].image, WeatherTree::Bulletin);
    EXPECT_TRUE(roots[4].children.empty());
}

TEST_F(ProductList, CombinedNorthSeaAndBalticBulletinIsOnBothPages)
{
    folder.writeBulletin(QStringLiteral("NOBA_2003_12_05_06_00.RTF"),
                         {QStringLiteral("BULLETIN FOR NORTHSEA  AND BALTIC SEA"), QStringLiteral("SKAGERRAK W 6")});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].kind, WeatherKind::NorthSea | WeatherKind::Baltic);
    EXPECT_EQ(list.entries()[0].title, QStringLiteral("BULLETIN FOR NORTHSEA  AND BALTIC SEA"));

    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(roots[3].children.size(), 1u);
    EXPECT_EQ(roots[4].children.size(), 1u);
    for (uint32_t mask : {WeatherKind::NorthSea, WeatherKind::Baltic}) {
        const QString page = BulletinTextBuffer::pageText(list.entries(), mask);
        EXPECT_TRUE(page.contains(QStringLiteral("SKAGERRAK W 6"))) << mask;
    }
    EXPECT_TRUE(BulletinTextBuffer::pageText(list.entries(), WeatherKind::Europe1).isEmpty());
}

TEST_F(ProductList, HeaderTableRowsAndTheirKinds)
{
    const struct {
        const char16_t* header;
        uint32_t kind;
    } rows[] = {
        {u"EUROPEAN COASTS PART 1", WeatherKind::Europe1},
        {u"EUROPEAN COASTS PART 2", WeatherKind::Europe2},
        {u"BERICHT FUER NORD- UND OSTSEE", WeatherKind::Baltic},
        {u"BULLETIN FOR THE  BALTIC SEA", WeatherKind::Baltic},
        {u"BULLETIN FOR THE BALTIC SEA", WeatherKind::Warning}, // one blank: no header
        {u"BERICHT FUER DEN NOERDLICHEN NORDATLANTIK", WeatherKind::Europe1},
        {u"BERICHT FUER DIE NORDSEE", WeatherKind::NorthSea},
        {u"bulletin for the northsea", WeatherKind::Warning},   // case matters
        {u"BULLETIN FOR THE MEDITERRANEAN SEA", WeatherKind::Mediterranean},
        {u"BERICHT F\u00DCR DAS MITTELMEER", WeatherKind::Mediterranean},
    };
    for (const auto& row : rows) {
        ProgramFolder own;
        own.write(QStringLiteral("SYNOP/X_2003_12_05_12_00.RTF"),
                  test::rtfBulletin({QString::fromUtf16(row.header)}));
        const auto list = WeatherProductList::build(own.path());
        ASSERT_EQ(list.entries().size(), 1u);
        EXPECT_EQ(list.entries()[0].kind, row.kind) << QString::fromUtf16(row.header).toStdString();
    }
}

TEST_F(ProductList, FileWithoutHeaderIsAWarning)
{
    folder.writeBulletin(QStringLiteral("MISC_2003_12_05_10_00.RTF"), {QStringLiteral("SECURITE GALE WARNING")});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].kind, WeatherKind::Warning);
    EXPECT_TRUE(list.entries()[0].title.isEmpty());
    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(childTexts(roots[2]), QStringList{QStringLiteral("05.12.03 10:00 WARNING")});
    const QString page = BulletinTextBuffer::pageText(list.entries(), WeatherKind::Warning);
    EXPECT_TRUE(page.contains(QStringLiteral("SECURITE GALE WARNING")));
}

TEST_F(ProductList, NamesWithoutTimeAreNotListedNavtexIsMarked)
{
    folder.writeBulletin(QStringLiteral("NAVTEX.RTF"), {QStringLiteral("BULLETIN FOR THE NORTHSEA")});
    folder.writeBulletin(QStringLiteral("IABC_2003_12_05_08_30.RTF"), {QStringLiteral("NAVAREA I")});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].name, QStringLiteral("IABC_2003_12_05_08_30.RTF"));
    EXPECT_EQ(list.entries()[0].kind, WeatherKind::Navtex);
    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(childTexts(roots[8]), QStringList{QStringLiteral("05.12.03 08:30 NAVTEX")});
    EXPECT_EQ(childTexts(roots[2]), QStringList{QStringLiteral("05.12.03 08:30 NAVTEX")});
    EXPECT_EQ(roots[2].children[0].image, WeatherTree::Navtex);
}

TEST_F(ProductList, StationGroupsCountRecordsPerObservationTime)
{
    // A cut-off last record is no record.
    folder.writeStationFile({kDec5Noon2003, kDec5Noon2003 - 3600, kDec5Noon2003, kDec5Noon2003}, 100);
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 2u);
    EXPECT_EQ(list.entries()[0].title, QStringLiteral("SYNOP-Bulletin 3 Stations"));
    EXPECT_EQ(list.entries()[0].time, kDec5Noon2003);
    EXPECT_EQ(list.entries()[1].title, QStringLiteral("SYNOP-Bulletin 1 Station"));
    EXPECT_EQ(list.entries()[1].kind, WeatherKind::Synop);
    EXPECT_TRUE(list.entries()[1].name.isEmpty());
    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(childTexts(roots[1]), (QStringList{QStringLiteral("05.12.03 12:00 SYNOP-Bulletin 3 Stations"),
                                                 QStringLiteral("05.12.03 11:00 SYNOP-Bulletin 1 Station")}));
    EXPECT_EQ(roots[1].children[1].data, 0x0800u + 2);
    EXPECT_EQ(WeatherTree::entryIndex(roots[1].children[1].data), 1);
    EXPECT_EQ(WeatherTree::entryIndex(roots[1].item.data), -1);
}

TEST_F(ProductList, FaxImageUnderFaxRootAndTimeList)
{
    folder.writeFax(QStringLiteral("FAX_2003_12_05_12_00.BMP"));
    folder.writeFax(QStringLiteral("FAX.BMP"));
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].kind, WeatherKind::Fax);
    EXPECT_EQ(list.entries()[0].title, QStringLiteral("FAX-IMAGE"));
    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(childTexts(roots[0]), QStringList{QStringLiteral("05.12.03 12:00 FAX-IMAGE")});
    EXPECT_EQ(childTexts(roots[2]), QStringList{QStringLiteral("05.12.03 12:00 FAX-IMAGE")});
    EXPECT_EQ(roots[0].children[0].image, WeatherTree::Fax);
    EXPECT_EQ(roots[2].children[0].image, WeatherTree::Fax);
}

TEST_F(ProductList, NewestFirstEqualTimesKeepTheirOrder)
{
    folder.writeStationFile({kDec5Noon2003});
    folder.writeBulletin(QStringLiteral("A_2003_12_05_12_00.RTF"), {QStringLiteral("X")});
    folder.writeBulletin(QStringLiteral("B_2003_12_05_13_00.RTF"), {QStringLiteral("X")});
    folder.writeFax(QStringLiteral("FAX_2003_12_05_12_00.BMP"));
    const auto list = WeatherProductList::build(folder.path());
    QStringList order;
    for (const auto& e : list.entries())
        order << (e.name.isEmpty() ? QStringLiteral("SYNOP") : e.name);
    EXPECT_EQ(order, (QStringList{QStringLiteral("B_2003_12_05_13_00.RTF"), QStringLiteral("SYNOP"),
                                  QStringLiteral("A_2003_12_05_12_00.RTF"),
                                  QStringLiteral("FAX_2003_12_05_12_00.BMP")}));
}

TEST_F(ProductList, StopsAtFiveHundredEntries)
{
    std::vector<uint32_t> times;
    for (uint32_t i = 0; i < 480; ++i)
        times.push_back(kDec5Noon2003 + i * 60);
    folder.writeStationFile(times);
    for (int i = 0; i < 30; ++i)
        folder.writeBulletin(QStringLiteral("T_2004_01_01_00_%1.RTF").arg(i, 2, 10, QLatin1Char('0')), {});
    folder.writeFax(QStringLiteral("FAX_2005_01_01_00_00.BMP"));
    const auto list = WeatherProductList::build(folder.path());
    EXPECT_EQ(list.entries().size(), 500u);
    EXPECT_EQ(list.entries()[0].name, QStringLiteral("T_2004_01_01_00_19.RTF"));
}

TEST_F(ProductList, MissingFoldersGiveAnEmptyList)
{
    const auto list = WeatherProductList::build(QStringLiteral("/nonexistent/kesmar"));
    EXPECT_TRUE(list.entries().empty());
    const auto roots = WeatherTree::build(list.entries());
    EXPECT_EQ(roots.size(), 9u);
}

TEST_F(ProductList, DamagedBulletinsAreListedAndReadSoFar)
{
    QByteArray cut = test::rtfBulletin({QStringLiteral("BULLETIN FOR THE NORTHSEA"), QStringLiteral("DOGGER SW 4")});
    cut.chop(20);
    folder.write(QStringLiteral("SYNOP/CUT_2003_12_05_12_00.RTF"), cut);
    folder.write(QStringLiteral("SYNOP/BIN_2003_12_05_11_00.RTF"), QByteArray("{\\rtf1\x00\xff\x01{{{\\'", 12));
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 2u);
    EXPECT_EQ(list.entries()[0].kind, WeatherKind::NorthSea);
    EXPECT_EQ(list.entries()[1].kind, WeatherKind::Warning);
    const QString page = BulletinTextBuffer::pageText(list.entries(), WeatherKind::NorthSea);
    EXPECT_TRUE(page.contains(QStringLiteral("DOGGER SW 4")));
}

struct NameTimeCase {
    const char* name;
    std::optional<uint32_t> time;
};

TEST(NameTime, FieldsAfterTheFirstUnderscore)
{
    test::useUtc();
    const NameTimeCase cases[] = {
        {"NORD_2003_12_05_12_00.RTF", kDec5Noon2003},
        {"NORD_2003-12-05T12:00.RTF", kDec5Noon2003},  // any separators
        {"A_B_2003_12_05_12_00.RTF", std::nullopt},    // the first "_" counts
        {"NAVTEX.RTF", std::nullopt},
        {"NORD_2003_12_05_12.RTF", std::nullopt},      // minute missing
        {"NORD_2003_12_05_12_0", std::nullopt},
        {"NORD_2003_13_05_12_00.RTF", std::nullopt},
        {"NORD_2003_12_05_24_00.RTF", std::nullopt},
        {"NORD_20O3_12_05_12_00.RTF", std::nullopt},   // letter O
        {"NORD_1969_12_31_23_00.RTF", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WeatherProductList::nameTime(QString::fromLatin1(c.name)), c.time) << c.name;
}

TEST(NameTime, LocalTimeWithDaylightSaving)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    EXPECT_EQ(WeatherProductList::nameTime(u"X_2003_07_01_14_00"), 1057060800u); // 12:00 UTC, summer
    EXPECT_EQ(WeatherProductList::nameTime(u"X_2003_12_05_13_00"), kDec5Noon2003);
    test::useUtc();
}

TEST(BulletinText, PiecesThatDoNotFitAreDroppedShorterOnesStillFit)
{
    BulletinTextBuffer buffer;
    const QString big(BulletinTextBuffer::kCapacity - 5, QLatin1Char('x')); // + LF = 65532 used
    ASSERT_TRUE(buffer.append(big));
    EXPECT_FALSE(buffer.append(u"abc"));  // 65532 + 3 + LF + NUL = 65537
    EXPECT_TRUE(buffer.append(u"ab"));    // exactly 65536
    EXPECT_FALSE(buffer.append(u""));
    EXPECT_EQ(buffer.text().size(), BulletinTextBuffer::kCapacity - 1);
    EXPECT_TRUE(buffer.text().endsWith(QStringLiteral("x\nab\n")));
}

TEST(BulletinText, FramedFileLinesAndLongLinesInPieces)
{
    test::ProgramFolder folder;
    const QString longLine(300, QLatin1Char('L'));
    folder.writeBulletin(QStringLiteral("N_2003_12_05_12_00.RTF"), {QStringLiteral("FIRST"), longLine});
    BulletinTextBuffer buffer;
    buffer.appendFile(folder.file(QStringLiteral("SYNOP/N_2003_12_05_12_00.RTF")), QStringLiteral("N_2003_12_05_12_00.RTF"));
    const QStringList lines = buffer.text().split(QLatin1Char('\n'));
    const QString frame = QStringLiteral("*   ----   FILE: N_2003_12_05_12_00.RTF    ----   *");
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], QString(frame.size(), QLatin1Char('*')));
    EXPECT_EQ(lines[1], frame);
    EXPECT_EQ(lines[2], lines[0]);
    EXPECT_EQ(lines[3], QStringLiteral("ZCZC"));
    EXPECT_EQ(lines[4], QStringLiteral("FIRST"));
    EXPECT_EQ(lines[5], QString(249, QLatin1Char('L')));
    EXPECT_EQ(lines[6], QString(51, QLatin1Char('L')));
    EXPECT_EQ(lines[7], QStringLiteral("NNNN"));
}

TEST(BulletinText, AtMostEightThousandLinesOfAFile)
{
    test::ProgramFolder folder;
    QStringList many;
    for (int i = 0; i < 9000; ++i)
        many << QStringLiteral("%1").arg(i);
    folder.writeBulletin(QStringLiteral("N_2003_12_05_12_00.RTF"), many);
    BulletinTextBuffer buffer;
    buffer.appendFile(folder.file(QStringLiteral("SYNOP/N_2003_12_05_12_00.RTF")), QStringLiteral("N"));
    const QStringList lines = buffer.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3 + 8000);
    EXPECT_EQ(lines.last(), QStringLiteral("7998")); // ZCZC is the first of the 8000
}

} // namespace
} // namespace kesmar
