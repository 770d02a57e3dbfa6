#include "S57GeoJsonSource.h"
#include "S57LightText.h"
#include "S57PointMapper.h"

#include <gtest/gtest.h>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

S57Object object(const char* cls, std::initializer_list<std::pair<const char*, const char*>> attributes,
                 double lat = 54.0, double lon = 8.0, int band = 4)
{
    S57Object o;
    o.objectClass = QString::fromLatin1(cls);
    for (const auto& [k, v] : attributes)
        o.attributes.insert(QString::fromLatin1(k), QString::fromUtf8(v));
    o.latitude = lat;
    o.longitude = lon;
    o.scaleBand = band;
    return o;
}

// The one record of a mapper fed with `objects`.
PointRecord single(const std::vector<S57Object>& objects)
{
    S57PointMapper m;
    for (const S57Object& o : objects)
        EXPECT_TRUE(m.add(o)) << o.objectClass.toStdString();
    const auto records = m.records();
    EXPECT_EQ(records.size(), 1u);
    return records.empty() ? PointRecord() : records.front().record;
}

int typeByte(const PointRecord& r) { return r.typeByte(); }

} // namespace

TEST(S57PointMapper, LateralBuoys)
{
    // Port: red can buoy; starboard: green conical buoy (IALA region A).
    const PointRecord port = single({object("BOYLAT", {{"CATLAM", "1"}, {"BOYSHP", "2"}, {"COLOUR", "3"}, {"OBJNAM", "12"}})});
    EXPECT_EQ(typeByte(port), 1);
    EXPECT_EQ(port.colourByte(), 0xDD);
    EXPECT_EQ(port.modifier(), 0);
    EXPECT_EQ(port.text(), "12");
    EXPECT_EQ(port.position(), (ChartPoint{-3240000, 480000}));
    EXPECT_EQ(port.level(), 161);
    const PointRecord starboard = single({object("BOYLAT", {{"CATLAM", "2"}, {"BOYSHP", "1"}, {"COLOUR", "4"}})});
    EXPECT_EQ(typeByte(starboard), 0);
    EXPECT_EQ(starboard.colourByte(), 0x99);
    EXPECT_EQ(starboard.size(), 13u);
    // Shape and colour missing: region A defaults by side.
    EXPECT_EQ(single({object("BOYLAT", {{"CATLAM", "2"}})}).colourByte(), 0x99);
    EXPECT_EQ(typeByte(single({object("BOYLAT", {{"CATLAM", "1"}})})), 1);
    // Preferred channel to port: green-red-green bands.
    const PointRecord preferred = single({object("BOYLAT", {{"CATLAM", "4"}, {"BOYSHP", "1"}, {"COLOUR", "4,3,4"}, {"COLPAT", "1"}})});
    EXPECT_EQ(typeByte(preferred), 0x80 | 0);
    EXPECT_EQ(preferred.colourByte(), 0xD9);
}

TEST(S57PointMapper, CardinalsWithTheirTopmarks)
{
    struct Row {
        const char* category;
        const char* colour;
        int modifier;
        int colourByte;  // foreground first colour, background the second
    };
    const Row rows[] = {{"1", "2,6", 2, 0x51}, {"2", "2,6,2", 3, 0x51}, {"3", "6,2", 4, 0x15}, {"4", "6,2,6", 5, 0x15}};
    for (const Row& r : rows) {
        const PointRecord buoy = single({object("BOYCAR", {{"CATCAM", r.category}, {"BOYSHP", "4"}, {"COLOUR", r.colour}, {"COLPAT", "1"}})});
        EXPECT_EQ(typeByte(buoy), 0x80 | 3) << r.category;
        EXPECT_EQ(buoy.modifier(), r.modifier) << r.category;
        EXPECT_EQ(buoy.colourByte(), r.colourByte) << r.category;
        // Without colours the region A colours are used.
        EXPECT_EQ(single({object("BOYCAR", {{"CATCAM", r.category}})}).colourByte(), r.colourByte) << r.category;
    }
    // A west cardinal spar buoy with its quick light.
    const PointRecord west = single({
        object("BOYCAR", {{"CATCAM", "4"}, {"BOYSHP", "5"}, {"COLOUR", "6,2,6"}, {"COLPAT", "1"}, {"OBJNAM", "Helgoland-W"}}),
        object("LIGHTS", {{"LITCHR", "4"}, {"SIGGRP", "(9)"}, {"SIGPER", "15.0"}, {"COLOUR", "1"}}),
    });
    EXPECT_EQ(typeByte(west), 0x80 | 4);
    EXPECT_EQ(west.modifier(), 0x40 | 5);
    EXPECT_EQ(west.text(), "Q(9)15s Helgoland-W");
    // A cardinal beacon keeps its topmark bits too.
    EXPECT_EQ(single({object("BCNCAR", {{"CATCAM", "1"}, {"BCNSHP", "3"}})}).modifier(), 2);
}

TEST(S57PointMapper, SafeWaterWithIsophaseLight)
{
    const PointRecord buoy = single({
        object("LIGHTS", {{"LITCHR", "7"}, {"SIGGRP", "(1)"}, {"SIGPER", "8"}, {"COLOUR", "1"}}, 53.9, 7.6, 2),
        object("BOYSAW", {{"BOYSHP", "4"}, {"COLOUR", "3,1"}, {"COLPAT", "2"}, {"OBJNAM", "Jade-Weser"}}, 53.9, 7.6, 1),
    });
    EXPECT_EQ(typeByte(buoy), 0x40 | 3);
    EXPECT_EQ(buoy.colourByte(), 0x2D);
    EXPECT_EQ(buoy.modifier(), 0x40 | 8);
    EXPECT_EQ(buoy.text(), "Iso.W.8s Jade-Weser");
    EXPECT_EQ(buoy.level(), 94);
}

TEST(S57PointMapper, LightWithSectors)
{
    const PointRecord light = single({
        object("LIGHTS", {{"LITCHR", "8"}, {"SIGGRP", "(3)"}, {"SIGPER", "12"}, {"COLOUR", "3"}, {"SECTR1", "10"}, {"SECTR2", "80"}}, 53.7972, 8.1912, 3),
        object("LIGHTS", {{"LITCHR", "8"}, {"SIGGRP", "(3)"}, {"SIGPER", "12"}, {"COLOUR", "1"}, {"SECTR1", "80"}, {"SECTR2", "95"}}, 53.7972, 8.1912, 3),
        object("LIGHTS", {{"LITCHR", "8"}, {"SIGGRP", "(3)"}, {"SIGPER", "12"}, {"COLOUR", "4"}, {"SECTR1", "95"}, {"SECTR2", "150"}}, 53.7972, 8.1912, 3),
    });
    EXPECT_EQ(typeByte(light), 40);
    EXPECT_EQ(light.modifier(), 0x40);
    EXPECT_EQ(light.text(), "Oc(3)WRG.12s");
    EXPECT_EQ(light.colourByte(), 0x2D);  // red first, white second
    EXPECT_EQ(light.level(), 148);
}

TEST(S57PointMapper, WrecksAndObstructions)
{
    const PointRecord wreck = single({object("WRECKS", {{"CATWRK", "2"}, {"VALSOU", "8.4"}, {"WATLEV", "3"}})});
    EXPECT_EQ(typeByte(wreck), 47);
    EXPECT_EQ(wreck.modifier(), 84);
    EXPECT_EQ(wreck.size(), 13u);
    // Deeper than the depth byte holds: the depth goes to the text.
    const PointRecord deep = single({object("WRECKS", {{"CATWRK", "1"}, {"VALSOU", "30.6"}})});
    EXPECT_EQ(deep.modifier(), 0);
    EXPECT_EQ(deep.text(), "30.6 m");
    EXPECT_EQ(typeByte(single({object("WRECKS", {{"CATWRK", "2"}, {"VALSOU", "12"}, {"TECSOU", "1,6"}})})), 48);
    EXPECT_EQ(typeByte(single({object("WRECKS", {{"CATWRK", "4"}})})), 49);
    const PointRecord rock = single({object("OBSTRN", {{"VALSOU", "-0.5"}, {"WATLEV", "4"}})});
    EXPECT_EQ(typeByte(rock), 54);
    EXPECT_EQ(rock.text(), "-0.5 m");
    EXPECT_EQ(single({object("OBSTRN", {{"VALSOU", "2.5"}})}).modifier(), 25);
}

TEST(S57PointMapper, BadInputNeverCrashes)
{
    S57PointMapper m;
    EXPECT_FALSE(m.add(object("BOYLAT", {}, 91.0, 8.0)));
    EXPECT_FALSE(m.add(object("BOYLAT", {}, std::nan(""), 8.0)));
    EXPECT_FALSE(m.add(object("BOYLAT", {}, 54.0, 181.0)));
    EXPECT_FALSE(m.add(object("SEAARE", {})));
    EXPECT_TRUE(m.add(object("BOYLAT", {{"CATLAM", "99"}, {"BOYSHP", "-4"}, {"COLOUR", "0,77,x"}, {"COLPAT", "1e300"}}, 54, 8, 99)));
    EXPECT_TRUE(m.add(object("LIGHTS", {{"LITCHR", "99"}, {"SIGPER", "nan"}, {"SIGGRP", "((((((((((((((((((((("}}, 55, 8)));
    EXPECT_TRUE(m.add(object("LIGHTS", {{"LITCHR", "2"}, {"SIGPER", "-5"}, {"COLOUR", ""}}, 56, 8)));
    EXPECT_TRUE(m.add(object("WRECKS", {{"VALSOU", "1e308"}}, 57, 8)));
    EXPECT_TRUE(m.add(object("FOGSIG", {}, 58, 8)));
    EXPECT_TRUE(m.add(object("BOYSPP", {{"OBJNAM", std::string(300, 'x').c_str()}}, 59, 8)));
    const auto records = m.records();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].record.colourByte(), 0x11);  // unknown colours: black
    EXPECT_EQ(records[0].record.level(), 161);        // unknown band
    EXPECT_EQ(records[2].record.size(), PointRecord::kMaxSize);  // the name cut to fit
    EXPECT_EQ(records[3].record.objectType(), 40);
    EXPECT_EQ(records[3].record.text(), QByteArray());        // unknown character
    EXPECT_EQ(records[4].record.text(), QByteArray("Fl"));    // no period, no colour
    EXPECT_EQ(records[5].record.objectType(), 57);            // a fog signal on its own
}

TEST(S57LightText, Characteristics)
{
    struct Row {
        const char* litchr;
        const char* group;
        const char* period;
        const char* colour;
        const char* text;
    };
    const Row rows[] = {
        {"2", "(2)", "10", "3", "Fl(2)R.10s"},
        {"7", "(1)", "8.0", "1", "Iso.W.8s"},
        {"4", "(9)", "15", "1", "Q(9)15s"},
        {"4", "(1)", "", "1", "Q"},
        {"26", "(6)(1)", "10", "1", "VQ(6)+LFl.10s"},
        {"1", "", "", "3", "F.R"},
        {"2", "(1)", "4", "4", "Fl.G.4s"},
        {"12", "(A)", "8", "1", "Mo(A)W.8s"},
        {"3", "(1)", "7.5", "1", "LFl.W.7.5s"},
        {"8", "(2+1)", "15", "1,3,4", "Oc(2+1)WRG.15s"},
        {"4", "(3)", "10", "6", "Q(3)Y.10s"},
        {"0", "(2)", "10", "3", ""},
    };
    for (const Row& r : rows) {
        const S57Object o = object("LIGHTS", {{"LITCHR", r.litchr}, {"SIGGRP", r.group}, {"SIGPER", r.period}});
        EXPECT_EQ(S57LightText::characteristic(o, S57LightText::colours(QString::fromLatin1(r.colour))),
                  QString::fromLatin1(r.text)) << r.litchr << r.group;
    }
}

TEST(S57GeoJson, OneCopyPerObjectFromTheSmallestBand)
{
    const QByteArray json = R"json({"type":"FeatureCollection","features":[
      {"type":"Feature","geometry":{"type":"Point","coordinates":[8.1,54.0]},
       "properties":{"lnam":"A","uband":4,"OBJNAM":"Elbe","CATLAM":2,"COLOUR":"4"}},
      {"type":"Feature","geometry":{"type":"Point","coordinates":[8.1,54.0]},
       "properties":{"lnam":"A","uband":2,"OBJNAM":"Elbe","CATLAM":2,"COLOUR":"4"}},
      {"type":"Feature","geometry":{"type":"Point","coordinates":[8.2,54.1]},
       "properties":{"layer":"LIGHTS","SIGPER":4.0,"LITCHR":2,"SIGGRP":"(1)","COLOUR":[4]}},
      {"type":"Feature","geometry":{"type":"Polygon","coordinates":[[[0,0],[1,0],[1,1],[0,0]]]},"properties":{}},
      {"type":"Feature","geometry":null},
      7
    ]})json";
    QString error;
    const auto objects = readS57GeoJson(json, QStringLiteral("/x/BOYLAT.json"), &error);
    ASSERT_TRUE(objects) << error.toStdString();
    ASSERT_EQ(objects->size(), 2u);
    EXPECT_EQ((*objects)[0].objectClass, "BOYLAT");
    EXPECT_EQ((*objects)[0].scaleBand, 2);
    EXPECT_EQ((*objects)[0].text("CATLAM"), "2");
    EXPECT_DOUBLE_EQ((*objects)[0].longitude, 8.1);
    EXPECT_EQ((*objects)[1].objectClass, "LIGHTS");
    EXPECT_EQ((*objects)[1].text("SIGPER"), "4");
    EXPECT_EQ((*objects)[1].text("COLOUR"), "4");

    for (const char* bad : {"", "[]", "{\"features\":3}", "{\"type\":\"FeatureCollection\"", "nonsense"}) {
        EXPECT_FALSE(readS57GeoJson(QByteArray(bad), QStringLiteral("B.json"), &error)) << bad;
        EXPECT_TRUE(error.startsWith("B.json")) << bad;
    }
}
