#include "weather/TextCodePage.h"

#include "core/CodePage850.h"

#include <array>

namespace kesmar {
namespace {

// 0x80-0x9F of Windows-1252; the five unassigned bytes stay as C1 controls
// as in the Unicode mapping "best fit" tables.
constexpr std::array<char16_t, 32> kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar charFromCodePage(unsigned char byte, TextCodePage page)
{
    if (byte < 0x80)
        return QChar(byte);
    if (page == TextCodePage::Dos850)
        return cp850Char(byte);
    if (byte < 0xA0)
        return QChar(kWindows1252[byte - 0x80]);
    return QChar(byte); // 0xA0-0xFF equal Latin-1
}

QString fromCodePage(std::string_view bytes, TextCodePage page)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes)
        out.append(charFromCodePage(c, page));
    return out;
}

} // namespace kesmar
