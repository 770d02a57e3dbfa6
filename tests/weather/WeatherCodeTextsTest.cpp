#include "weather/WeatherCodeTexts.h"

#include <gtest/gtest.h>

namespace kesmar {
namespace {

struct CodeCase {
    int code;
    const char* text; // "" for a code the table leaves unused
};

void expectTexts(QString (*decode)(int), std::initializer_list<CodeCase> cases, const char* table)
{
    for (const CodeCase& c : cases)
        EXPECT_EQ(decode(c.code), QString::fromUtf8(c.text)) << table << " " << c.code;
}

// Values from the WMO code tables, at the edges of each band.
TEST(WeatherCodeTexts, BandsOfTheCodeTables)
{
    expectTexts(WeatherCodeTexts::visibility,
                {{0, "unter 0,1 km"}, {1, "0,10 km"}, {50, "5,0 km"}, {51, ""}, {55, ""}, {56, "6,0 km"},
                 {80, "30 km"}, {81, "35 km"}, {88, "70 km"}, {89, "über 70 km"}, {90, "unter 0,05 km"},
                 {91, "0,05 km"}, {94, "1,0 km"}, {98, "20 km"}, {99, "50 km und mehr"}},
                "4377");
    expectTexts(WeatherCodeTexts::layerHeight,
                {{1, "30 m"}, {50, "1500 m"}, {51, ""}, {56, "1800 m"}, {80, "9000 m"}, {81, "10500 m"},
                 {88, "21000 m"}, {89, "über 21000 m"}},
                "1677");
    expectTexts(WeatherCodeTexts::precipitation,
                {{1, "1 mm"}, {988, "988 mm"}, {989, "989 mm oder mehr"}, {990, "Spuren"}, {991, "0,1 mm"},
                 {999, "0,9 mm"}, {1000, ""}},
                "3590");
    expectTexts(WeatherCodeTexts::precipitationPeriod,
                {{1, "in 6 Std."}, {2, "in 12 Std."}, {4, "in 24 Std."}, {5, "in 1 Std."}, {9, "in 15 Std."},
                 {10, ""}},
                "4019");
    EXPECT_FALSE(WeatherCodeTexts::presentWeather(99).isEmpty());
    EXPECT_TRUE(WeatherCodeTexts::presentWeather(100).isEmpty());
}

} // namespace
} // namespace kesmar
