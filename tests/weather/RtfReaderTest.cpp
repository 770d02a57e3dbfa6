#include "weather/RtfReader.h"

#include <gtest/gtest.h>

#include <string>

namespace kesmar {
namespace {

struct RtfCase {
    const char* what;
    std::string input;
    QString text;
    bool complete;
};

class RtfText : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfText, GivesTheVisibleText)
{
    const RtfCase& c = GetParam();
    const auto doc = RtfReader::toText(c.input);
    EXPECT_EQ(doc.text, c.text) << c.what;
    EXPECT_TRUE(doc.isRtf) << c.what;
    EXPECT_EQ(doc.complete, c.complete) << c.what;
}

const std::string kHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}"
                          "{\\colortbl ;\\red0\\green0\\blue0;}\r\n\\pard\\plain\\f0\\fs20 ";

INSTANTIATE_TEST_SUITE_P(
    Documents, RtfText,
    ::testing::Values(
        RtfCase{"bulletin", kHead + "ZCZC\r\n\\par BULLETIN FOR THE NORTHSEA\r\n\\par line two\r\n\\par }",
                QStringLiteral("ZCZC\nBULLETIN FOR THE NORTHSEA\nline two\n"), true},
        RtfCase{"hex escapes in 1252", kHead + "Gr\\'fc\\'dfe \\'80 \\'e4}", QStringLiteral(u"Grüße € ä"), true},
        RtfCase{"raw 8-bit text in 1252", kHead + "B\xF6" "e}", QStringLiteral(u"Böe"), true},
        RtfCase{"code page 850 by ansicpg", "{\\rtf1\\ansi\\ansicpg850 S\\'81d \\'e1}", QStringLiteral(u"Süd ß"), true},
        RtfCase{"code page 850 by pc", "{\\rtf1\\pc Nord\\'94stlich \x84}", QStringLiteral(u"Nordöstlich ä"), true},
        RtfCase{"unicode with fallback", kHead + "F\\u252?r \\uc2\\u8364\\'80\\'80 x}", QStringLiteral(u"Für € x"), true},
        RtfCase{"negative unicode", "{\\rtf1 \\u-4064?}", QString(QChar(0xF020)), true},
        RtfCase{"unicode skip reset by group", "{\\rtf1 \\uc3\\u65{}BCD}", QStringLiteral("ABCD"), true},
        RtfCase{"ignorable destination", "{\\rtf1{\\*\\generator Riched20;}{\\info{\\title T}}Text}", QStringLiteral("Text"), true},
        RtfCase{"escaped specials", "{\\rtf1 a\\{b\\}c\\\\d\\~e\\_f\\-g}", QStringLiteral(u"a{b}c\\d\u00A0e-fg"), true},
        RtfCase{"line tab and quotes", "{\\rtf1 a\\line b\\tab c \\ldblquote q\\rdblquote}", QStringLiteral(u"a\nb\tc “q”"), true},
        RtfCase{"binary data skipped", "{\\rtf1 a{\\pict\\bin4 {}}}}b}", QStringLiteral("ab"), true},
        RtfCase{"text after the document", "{\\rtf1 in}out", QStringLiteral("in"), true},
        RtfCase{"truncated in text", kHead + "ZCZC\r\n\\par WIND NW 5", QStringLiteral("ZCZC\nWIND NW 5"), false},
        RtfCase{"truncated in hex escape", "{\\rtf1 abc\\'4", QStringLiteral("abc"), false},
        RtfCase{"cut right after a hex escape", "{\\rtf1 abc\\'e4", QStringLiteral(u"abcä"), false},
        RtfCase{"no-break space, last of 1252's own", kHead + "a\\'a0b\\'9fc}", QStringLiteral(u"a\u00A0bŸc"), true},
        RtfCase{"truncated after backslash", "{\\rtf1 abc\\", QStringLiteral("abc"), false},
        RtfCase{"truncated in font table", "{\\rtf1{\\fonttbl{\\f0 Cour", QString(), false},
        RtfCase{"bad hex escape", "{\\rtf1 a\\'zzb}", QStringLiteral("azzb"), true},
        RtfCase{"control characters dropped", std::string("{\\rtf1 a\x01\x07\x00" "b}", 13), QStringLiteral("ab"), true},
        RtfCase{"endless control word", "{\\rtf1 \\" + std::string(5000, 'x') + " y}", QStringLiteral(u"y"), true},
        RtfCase{"huge parameter", "{\\rtf1 \\uc99999999999999999 \\u65 B}", QStringLiteral("A"), true},
        RtfCase{"huge bin count", "{\\rtf1 a\\bin99999999999 zzz}", QStringLiteral("a"), false}));

TEST(RtfReader, EndlessNestingDoesNotOverflow)
{
    std::string deep = "{\\rtf1 a";
    deep += std::string(100000, '{') + "x" + std::string(100000, '}') + "b}";
    const auto doc = RtfReader::toText(deep);
    // Text below the nesting limit is not shown, the rest is.
    EXPECT_EQ(doc.text, QStringLiteral("ab"));
    EXPECT_TRUE(doc.complete);
}

TEST(RtfReader, PlainTextIsTakenAsIt)
{
    const auto doc = RtfReader::toText("ZCZC\r\nBULLETIN FOR THE NORTHSEA\r\nB\xF6\x01 }\rEND");
    EXPECT_FALSE(doc.isRtf);
    EXPECT_EQ(doc.text, QStringLiteral(u"ZCZC\nBULLETIN FOR THE NORTHSEA\nBö }\nEND"));
}

TEST(RtfReader, StopsAfterTheLinesAskedFor)
{
    const auto doc = RtfReader::toText(kHead + "one\\par two\\par three\\par four}", 2);
    EXPECT_EQ(doc.text, QStringLiteral("one\ntwo\n"));
}

TEST(RtfReader, MissingFileIsAnErrorNamingIt)
{
    const auto doc = RtfReader::readFile(QStringLiteral("/nonexistent/SYNOP/X_2003.RTF"));
    ASSERT_FALSE(doc.ok());
    EXPECT_EQ(doc.error().file, QStringLiteral("/nonexistent/SYNOP/X_2003.RTF"));
    EXPECT_FALSE(doc.error().reason.isEmpty());
}

} // namespace
} // namespace kesmar
