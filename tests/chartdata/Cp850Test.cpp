#include "chartdata/Cp850.h"

#include <gtest/gtest.h>

using namespace kesmar;

TEST(Cp850, GermanLettersRoundTrip)
{
    const std::string raw = "\x8E\x99\x9A\x84\x94\x81\xE1 Feuer";  // ÄÖÜäöüß
    const QString text = fromCp850(raw);
    EXPECT_EQ(text, QString::fromUtf8("ÄÖÜäöüß Feuer"));
    EXPECT_EQ(toCp850(text), raw);
    EXPECT_EQ(toCp850(QString::fromUtf8("€")), "?");
}

TEST(Cp850, EdgesOfTheTable)
{
    // By hand from the code page: U+007F stays, the control U+0080 has no
    // place (0x80 is Ç), Ç and the no-break space are the first and last bytes.
    const struct { char16_t unicode; const char* bytes; } rows[] = {
        {0x007F, "\x7F"}, {0x0080, "?"}, {0x00C7, "\x80"}, {0x00A0, "\xFF"}, {0x00FC, "\x81"}, {0x00FF, "\x98"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(toCp850(QString(QChar(r.unicode))), std::string(r.bytes)) << int(r.unicode);
        if (std::string(r.bytes) != "?") {
            EXPECT_EQ(fromCp850(r.bytes), QString(QChar(r.unicode))) << int(r.unicode);
        }
    }
}
