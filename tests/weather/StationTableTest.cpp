#include "weather/StationTable.h"
#include "core/QtBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kesmar;

namespace {

StationEntry makeEntry(uint32_t number, const char* indicator, std::string_view name,
                       int16_t lat = -3078, int16_t lon = 406)
{
    StationEntry e;
    e.number = number;
    e.attributes = {'T', '-', 'T', '-', 37, 0};
    e.latitudeMinutes = lat;
    e.longitudeMinutes = lon;
    std::copy_n(indicator, 4, e.indicator.begin());
    e.setName(name);
    return e;
}

QByteArray tableBytes(const std::vector<StationEntry>& entries)
{
    std::vector<uint8_t> bytes;
    for (const StationEntry& e : entries)
        e.appendTableForm(bytes);
    return toQByteArray(bytes);
}

const std::vector<StationEntry> kEntries = {
    makeEntry(10400, "    ", "DUESSELDORF"),
    makeEntry(10147, "    ", "HAMBURG-FUHLSBUETTEL", -3218, 600),
    makeEntry(10400, "    ", "DUPLICATE NUMBER"),
    makeEntry(0, "EDZW", "OFFENBACH", -3006, 525),
    makeEntry(0, "EDZW", "SECOND EDZW"),
};

} // namespace

TEST(StationTable, FindsFirstEntryByNumberAndByIndicator)
{
    StationTable table;
    ASSERT_TRUE(table.loadBytes(tableBytes(kEntries)).ok());
    EXPECT_EQ(table.size(), kEntries.size());

    StationEntry found;
    ASSERT_TRUE(table.findByNumber(10147, found));
    EXPECT_EQ(found, kEntries[1]);
    ASSERT_TRUE(table.findByNumber(10400, found));
    EXPECT_EQ(found.nameView(), "DUESSELDORF");
    ASSERT_TRUE(table.findByIndicator("EDZW", found));
    EXPECT_EQ(found, kEntries[3]);
    EXPECT_EQ(found.latitudeMinutes, -3006);
    EXPECT_EQ(table.entryAt(4).nameView(), "SECOND EDZW");
}

// Indicators that differ in one bit of one letter are different stations.
TEST(StationTable, IndicatorsDifferingInOneBitAreKeptApart)
{
    const std::vector<StationEntry> entries = {
        makeEntry(0, "ADZW", "A"), makeEntry(0, "@DZW", "AT"), makeEntry(0, "EDZV", "V")};
    StationTable table;
    ASSERT_TRUE(table.loadBytes(tableBytes(entries)).ok());
    for (const StationEntry& e : entries) {
        StationEntry found;
        ASSERT_TRUE(table.findByIndicator(std::string_view(e.indicator.data(), 4), found));
        EXPECT_EQ(found.nameView(), e.nameView());
    }
}

TEST(StationTable, FailedLookupLeavesDestinationUnchanged)
{
    StationTable table;
    ASSERT_TRUE(table.loadBytes(tableBytes(kEntries)).ok());
    const StationEntry before = makeEntry(1, "ABCD", "BEFORE");
    StationEntry dest = before;
    EXPECT_FALSE(table.findByNumber(99999, dest));
    EXPECT_FALSE(table.findByIndicator("LFPW", dest));
    EXPECT_FALSE(table.findByIndicator("EDZ", dest));
    // Centres carry number 0 and are not stations.
    EXPECT_FALSE(table.findByNumber(0, dest));
    EXPECT_EQ(dest, before);
}

TEST(StationTable, CutLastEntryIsIgnoredAtEveryCut)
{
    const QByteArray full = tableBytes({kEntries[0], kEntries[1]});
    const qsizetype firstSize = StationEntry::kHeaderSize + kEntries[0].nameLength;
    for (qsizetype cut = firstSize; cut < full.size(); ++cut) {
        StationTable table;
        ASSERT_TRUE(table.loadBytes(full.left(cut)).ok()) << cut;
        EXPECT_EQ(table.size(), 1u) << cut;
        StationEntry e;
        EXPECT_TRUE(table.findByNumber(10400, e));
        EXPECT_FALSE(table.findByNumber(10147, e)) << cut;
    }
}

TEST(StationTable, TableWithoutCompleteEntryIsAnError)
{
    const QByteArray full = tableBytes({kEntries[0]});
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        StationTable table;
        EXPECT_FALSE(table.loadBytes(full.left(cut)).ok()) << cut;
        EXPECT_TRUE(table.isEmpty());
    }
}

TEST(StationTable, NameLongerThanFieldIsCutAndNextEntryStillFound)
{
    // Hand-made entry with n = 200: the walk must step over all 200 bytes,
    // the copy must stop at the 51 a record field holds.
    std::vector<uint8_t> bytes;
    StationEntry head = makeEntry(6260, "    ", "");
    head.appendTableForm(bytes);
    bytes[StationEntry::kOffsetNameLength] = 200;
    for (int i = 0; i < 200; ++i)
        bytes.push_back(static_cast<uint8_t>('A' + i % 26));
    kEntries[1].appendTableForm(bytes);

    StationTable table;
    ASSERT_TRUE(table.loadBytes(toQByteArray(bytes)).ok());
    StationEntry e;
    ASSERT_TRUE(table.findByNumber(6260, e));
    EXPECT_EQ(e.nameLength, StationEntry::kMaxNameLength);
    EXPECT_EQ(e.nameView(), std::string(bytes.begin() + 19, bytes.begin() + 19 + 51));
    ASSERT_TRUE(table.findByNumber(10147, e));
    EXPECT_EQ(e.nameView(), "HAMBURG-FUHLSBUETTEL");
}

TEST(StationTable, FieldFormRoundTripAndCut)
{
    const StationEntry e = makeEntry(3772, "EGLL", "HEATHROW", -3088, -27);
    std::array<uint8_t, StationEntry::kFieldSize> field{};
    e.writeField(field);
    EXPECT_EQ(field[10], static_cast<uint8_t>(-3088 & 0xFF));
    EXPECT_EQ(field[13], 0xFF); // -27 little-endian
    EXPECT_EQ(std::string(field.begin() + 14, field.begin() + 18), "EGLL");
    EXPECT_EQ(field[18], 8);
    EXPECT_EQ(StationEntry::readField(field), e);

    field[StationEntry::kOffsetNameLength] = 255;
    EXPECT_EQ(StationEntry::readField(field).nameLength, StationEntry::kMaxNameLength);
}

TEST(StationTable, SetNameCutsAt51)
{
    StationEntry e;
    e.setName(std::string(80, 'X'));
    EXPECT_EQ(e.nameLength, 51);
    e.setName("AB");
    EXPECT_EQ(e.nameView(), "AB");
    EXPECT_EQ(e.name[2], 0);
}
