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
