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

// Shapes that real profile files come in: each row reads one key.
TEST(Ini, FileShapesRead)
{
    const struct {
        QByteArray bytes;
        const char16_t* section;
        const char16_t* key;
        const char* expected; // nullptr: absent
    } rows[] = {
        {"\xEF\xBB\xBF[Settings]\r\nA=1\r\n", u"Settings", u"A", "1"},     // byte-order mark
        {"\xEF\xBB\xBF\xEF\xBB\xBF[Settings]\nA=1\n", u"Settings", u"A", "1"}, // and one more
        {"\n[A]\nx=1\n", u"A", u"x", "1"},                                    // blank first line
        {"[A]\nx=1", u"A", u"x", "1"},                                        // no final line end
        {"[open\nkey=1\n", u"open", u"key", "1"},                             // header without ']'
        {"[A] ; note\nx=1\n", u"A", u"x", "1"},
        {"[A]\r\n=5\r\n", u"A", u"", nullptr},                                // no name, no key
        {"[A]\nx=1\n[B]\ny=2\n", u"B", u"x", nullptr},                        // only its own section
        {"[A]\nx=\"\"\n", u"A", u"x", ""},                                    // quotes around nothing
        {"[A]\nx=\"\n", u"A", u"x", "\""},                                   // a lone quote stays
        {"[A]\nx='a b'\n", u"A", u"x", "a b"},
        {"[A]\nx=K\xC3\xBCste\n", u"A", u"x", "Küste"},                        // UTF-8
        {"[A]\nx=K\xFCste\n", u"A", u"x", "Küste"},                            // Latin-1 of old files
    };
    for (const auto& r : rows) {
        const IniFile ini = IniFile::fromBytes(r.bytes);
        const auto value = ini.value(r.section, r.key);
        if (r.expected == nullptr) {
            EXPECT_FALSE(value.has_value()) << r.bytes.toStdString();
        } else {
            ASSERT_TRUE(value.has_value()) << r.bytes.toStdString();
            EXPECT_EQ(*value, QString::fromUtf8(r.expected)) << r.bytes.toStdString();
        }
    }
}

// Each row: a file, optionally one key written, and the bytes that must result.
TEST(Ini, FileShapesWriteBack)
{
    const struct {
        QByteArray bytes;
        const char16_t* section; // nullptr: written back unchanged
        QByteArray expected;
    } rows[] = {
        {"[A]\nx=1", nullptr, "[A]\nx=1"},                       // no line end added
        {"[A]\r\nx=1\ny=2\r\n", nullptr, "[A]\r\nx=1\ny=2\r\n"},   // mixed line ends kept
        {"", u"S", "[S]\r\nk=v\r\n"},
        {"[A]\nx=1", u"A", "[A]\nx=1\nk=v\n"},                   // the last line gets its end
        {"[A]\nx=1\n", u"A", "[A]\nx=1\nk=v\n"},                 // new lines follow the file's
        {"[A]\r\nx=1\n", u"A", "[A]\r\nx=1\nk=v\r\n"},           // ... first line end
        {"[A]\nx=1\n", u"B", "[A]\nx=1\n\n[B]\nk=v\n"},
    };
    for (const auto& r : rows) {
        IniFile ini = IniFile::fromBytes(r.bytes);
        if (r.section != nullptr)
            ini.setValue(r.section, u"k", "v");
        EXPECT_EQ(ini.toBytes(), r.expected) << r.bytes.toStdString();
    }
}

// Numbers are read only up to the end of the text handed over, not beyond it.
TEST(Ini, AtoiLikeStopsAtTheEndOfItsView)
{
    EXPECT_EQ(atoiLike(QStringView(u"12345").left(2)), 12);
    EXPECT_EQ(atoiLike(QStringView(u" 7").left(1)), 0);
    EXPECT_EQ(atoiLike(QStringView(u"2147483648")), 2147483647);
}
