#include "weather/CodeTextTable.h"

#include <gtest/gtest.h>

#include <string>

using namespace kesmar;

namespace {

std::string fieldText(const std::array<char, CodeTextTable::kTextFieldSize>& f)
{
    return std::string(f.data(), strnlen(f.data(), f.size()));
}

} // namespace

TEST(CodeTextTable, ParsesLinesCommentsAndLineEnds)
{
    CodeTextTable table(2);
    const QByteArray text = "; comment\r\n"
                            "SM Haupttermin\r\n"
                            "SI-Zwischentermin\n"
                            ";SN not an entry\n"
                            "\n"
                            "X\n"           // shorter than key + separator
                            "SX \r\n"       // empty text is an entry
                            "SM second SM\n"
                            "SN Nebentermin"; // no line end, still used
    ASSERT_TRUE(table.loadBytes(text).ok());
    EXPECT_EQ(table.size(), 5u);
    EXPECT_EQ(table.find("SM").value_or("?"), "Haupttermin");
    EXPECT_EQ(table.find("SI").value_or("?"), "Zwischentermin");
    EXPECT_EQ(table.find("SX").value_or("?"), "");
    EXPECT_EQ(table.find("SN").value_or("?"), "Nebentermin");
    EXPECT_FALSE(table.find(";S"));
    EXPECT_FALSE(table.find("S"));
}

TEST(CodeTextTable, LookupFillsFieldOrEmptiesIt)
{
    CodeTextTable table(4);
    ASSERT_TRUE(table.loadBytes("RRMM Nachtraeglich\r\nCCMM Berichtigt\r\n").ok());
    std::array<char, CodeTextTable::kTextFieldSize> field;
    field.fill('#');
    EXPECT_TRUE(table.lookup("CCMM", field));
    EXPECT_EQ(fieldText(field), "Berichtigt");
    EXPECT_EQ(field.back(), 0);
    EXPECT_FALSE(table.lookup("AAMM", field));
    EXPECT_EQ(fieldText(field), "");
    EXPECT_FALSE(table.lookup("RR", field)); // wrong key width
}

TEST(CodeTextTable, OverLongLinesAreCutNotSplit)
{
    // Lines of 254, 255 and 600 characters: the text keeps 79 characters and
    // the remainder never turns into an entry of its own.
    for (int length : {254, 255, 600}) {
        CodeTextTable table(2);
        std::string line = "AB ";
        while (static_cast<int>(line.size()) < length)
            line += static_cast<char>('a' + line.size() % 26);
        const QByteArray text = QByteArray::fromStdString(line + "\nCD short\n");
        ASSERT_TRUE(table.loadBytes(text).ok()) << length;
        EXPECT_EQ(table.size(), 2u) << length;
        const auto found = table.find("AB");
        ASSERT_TRUE(found);
        EXPECT_EQ(*found, line.substr(3, CodeTextTable::kMaxTextLength));
        std::array<char, CodeTextTable::kTextFieldSize> field{};
        EXPECT_TRUE(table.lookup("AB", field));
        EXPECT_EQ(field[79], 0);
    }
}

TEST(CodeTextTable, TableWithoutDataLineIsAnError)
{
    for (const char* text : {"", "; only a comment\r\n", "\n\n", "A\nB\n"}) {
        CodeTextTable table(2);
        EXPECT_FALSE(table.loadBytes(text).ok()) << text;
        EXPECT_EQ(table.size(), 0u);
    }
}

TEST(CodeTextTable, ArbitraryBytesNeverCrash)
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 7919) & 0xFF));
    CodeTextTable table(4);
    (void)table.loadBytes(bytes);
    std::array<char, CodeTextTable::kTextFieldSize> field{};
    table.lookup("RRMM", field);
    EXPECT_EQ(field[79], 0);
}
