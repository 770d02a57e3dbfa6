#include "DemoTrack.h"

#include <gtest/gtest.h>

using namespace kesmar::chartbuild;

TEST(DemoTrack, SentenceFieldsSitAtTheirColumns)
{
    const QByteArray s = DemoTrack::sentence({8.716667, 53.878333}, 10 * 3600 + 62);
    EXPECT_EQ(s.left(14), QByteArray("$GPGGA,100102,"));
    EXPECT_EQ(s.mid(14, 8), QByteArray("5352.700"));  // position field at column 14
    EXPECT_EQ(s.mid(22, 14), QByteArray(",N,00843.000,E"));
    EXPECT_EQ(s.mid(39, 2), QByteArray("08"));  // satellites
    EXPECT_EQ(s.mid(47, 4), QByteArray("12.0"));  // height
    uint8_t sum = 0;
    for (char c : s.mid(1, s.indexOf('*') - 1))
        sum ^= uint8_t(c);
    EXPECT_EQ(s.mid(s.indexOf('*') + 1).toInt(nullptr, 16), sum);
    // Southern and western hemispheres, minutes rounding up to a whole degree.
    const QByteArray w = DemoTrack::sentence({-5.99999999, -35.5}, 0);
    EXPECT_EQ(w.mid(14, 22), QByteArray("3530.000,S,00600.000,W"));
}

TEST(DemoTrack, InterpolatesAndStaysWithinTheLineLimit)
{
    const std::vector<GeoPoint> legs{{8.7, 53.9}, {7.9, 54.2}};
    const auto track = DemoTrack::interpolate(legs, 0.1);
    EXPECT_EQ(track.front(), legs.front());
    EXPECT_EQ(track.back(), legs.back());
    EXPECT_GT(track.size(), 300u);
    const auto capped = DemoTrack::interpolate(legs, 0.001);
    EXPECT_EQ(capped.size(), size_t(DemoTrack::kMaxLines));
    EXPECT_EQ(capped.back(), legs.back());
    EXPECT_EQ(DemoTrack::file(capped).count('\n'), DemoTrack::kMaxLines);

    QString error;
    EXPECT_FALSE(DemoTrack::parseWaypoints("53 52.7N;008 43.0E\nrubbish\n", &error));
    EXPECT_EQ(error, QStringLiteral("line 2: expected \"lat;lon\""));
}
