#include "core/IniFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

TEST(Ini, AtoiLike)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"1", 1},        {"  42", 42},   {"-7", -7},      {"+3", 3},   {"12abc", 12},
        {"abc", 0},      {"", 0},        {"- 5", 0},      {"\t-0", 0}, {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1}, {"0x10", 0}, {"3.9", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(atoiLike(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(Ini, ReadsCaseInsensitivelyAndFirstNameWins)
{
    const IniFile ini = IniFile::fromBytes("; comment\r\n[map]\r\nMILE = 2 \r\nmile=9\r\n"
                                           "[Url]\r\nboy=\"http://a/b\"\r\nsyn= x y \r\n[MAP]\r\nyfactor=1\r\n");
    EXPECT_EQ(ini.readInt(u"MAP", u"mile", 1), 2);
    EXPECT_EQ(ini.readString(u"URL", u"BOY", "boy"), "http://a/b");
    EXPECT_EQ(ini.readString(u"url", u"syn", "syn"), "x y");
    // The second [MAP] section is shadowed by the first, like the profile reader.
    EXPECT_FALSE(ini.value(u"MAP", u"yfactor").has_value());
    EXPECT_EQ(ini.readInt(u"Settings", u"WindowPos", -5), -5);
    EXPECT_EQ(ini.readString(u"Settings", u"WindowPos", "absent"), "absent");
}

TEST(Ini, NonNumericIntegerReadsAsZeroNotDefault)
{
    const IniFile ini = IniFile::fromBytes("[MAP]\nmile=Seemeile\n");
    EXPECT_EQ(ini.readInt(u"MAP", u"mile", 1), 0);
}

TEST(Ini, WritingKeepsEverythingElse)
{
    const QByteArray original = "; Kesmar\r\n[URL]\r\nboy=b\r\nExtra = keep me\r\n\r\n[AVI]\r\nspeed=3\r\n";
    IniFile ini = IniFile::fromBytes(original);
    ini.setValue(u"url", u"BOY", "new");          // existing key keeps its spelling
    ini.setValue(u"URL", u"syn", "s");            // added after the section's last key
    ini.setValue(u"MAP", u"lmapscale", "6500000"); // new section at the end
    EXPECT_EQ(ini.toBytes(), QByteArray("; Kesmar\r\n[URL]\r\nboy=new\r\nExtra = keep me\r\nsyn=s\r\n\r\n"
                                        "[AVI]\r\nspeed=3\r\n\r\n[MAP]\r\nlmapscale=6500000\r\n"));
}

TEST(Ini, UnixLineEndsStayAndValuesCannotInjectLines)
{
    IniFile ini = IniFile::fromBytes("[Settings]\nWindowPos=1\n");
    ini.setValue(u"Settings", u"WindowPos", "0,1\n[Evil]\nx=1");
    EXPECT_EQ(ini.toBytes(), QByteArray("[Settings]\nWindowPos=0,1 [Evil] x=1\n"));
    EXPECT_FALSE(ini.value(u"Evil", u"x").has_value());
}

TEST(Ini, SaveAndLoadRoundTrip)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("KMR.INI"));
    const Status missing = ini.load(); // a missing file reads as empty and is reported
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, dir.filePath("KMR.INI"));
    ini.setValue(u"MAP", u"yfactor", "710000");
    ini.setValue(u"Settings", u"WindowPos", "0,1,-1,-1,-1,-1,10,20,810,620");
    ASSERT_TRUE(ini.save().ok());

    IniFile again(dir.filePath("KMR.INI"));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.readInt(u"map", u"YFACTOR", 0), 710000);
    EXPECT_EQ(again.readString(u"Settings", u"WindowPos", ""), "0,1,-1,-1,-1,-1,10,20,810,620");
    EXPECT_EQ(again.toBytes(), ini.toBytes());
}

TEST(Ini, GarbageNeverBreaksParsing)
{
    const QByteArray garbage("\xff\xfe[\x00=\n=\n[]\n[open\nkey\n\xc3(=\xa0\r\r\n", 28);
    IniFile ini = IniFile::fromBytes(garbage);
    EXPECT_EQ(ini.readString(u"open", u"key", "d"), "d");
    EXPECT_EQ(ini.toBytes(), garbage);
    ini.setValue(u"open", u"key", "v");
    EXPECT_EQ(ini.readString(u"OPEN", u"key", "d"), "v");
}

// A key added to a section that holds only its header goes right below it,
// before the blank line that separates it from the next section.
TEST(Ini, KeyAddedToAnEmptySectionGoesBeforeItsBlankLines)
{
    IniFile ini = IniFile::fromBytes("[URL]\r\n\r\n[AVI]\r\nspeed=3\r\n");
    ini.setValue(u"URL", u"boy", "b");
    EXPECT_EQ(ini.toBytes(), QByteArray("[URL]\r\nboy=b\r\n\r\n[AVI]\r\nspeed=3\r\n"));
}
