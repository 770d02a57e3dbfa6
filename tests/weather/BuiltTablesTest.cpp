// The tables a program folder gets from scripts/build-weather-tables, read
// back through the loaders: catches any drift between the builder and the
// file formats.
#include "weather/SynopTables.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

class BuiltTables : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Debian's metview-data (scripts/install-deps) brings the station
        // database; without it the builder fails and so does every test here.
        folder_ = new QTemporaryDir;
        QProcess builder;
        builder.setProcessChannelMode(QProcess::MergedChannels);
        builder.start(QStringLiteral(KESMAR_SCRIPTS_DIR "/build-weather-tables"), {folder_->path()});
        if (!builder.waitForFinished(120000) || builder.exitStatus() != QProcess::NormalExit ||
            builder.exitCode() != 0) {
            setupError_ = QStringLiteral("build-weather-tables failed: %1 %2")
                              .arg(builder.errorString(), QString::fromLocal8Bit(builder.readAll()));
            return;
        }
        tables_ = new SynopTables;
        if (const Status loaded = tables_->load(folder_->path()); !loaded)
            setupError_ = loaded.error().describe();
    }
    static void TearDownTestSuite()
    {
        delete tables_;
        delete folder_;
        tables_ = nullptr;
        folder_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(tables_) << setupError_.toStdString();
        ASSERT_EQ(setupError_, QString());
    }

    static inline QTemporaryDir* folder_ = nullptr;
    static inline SynopTables* tables_ = nullptr;
    static inline QString setupError_;
};

} // namespace

TEST_F(BuiltTables, StationsHaveChartPositions)
{
    const StationTable& stations = tables_->stations();
    EXPECT_GT(stations.size(), 10000u);
    StationEntry e;
    ASSERT_TRUE(stations.findByNumber(10400, e));
    EXPECT_EQ(e.nameView(), "DUESSELDORF");
    EXPECT_EQ(e.latitudeMinutes, -3078); // 51.30 N, north negative
    EXPECT_EQ(e.longitudeMinutes, 406);  // 6.77 E
    ASSERT_TRUE(stations.findByNumber(3772, e));
    EXPECT_LT(e.longitudeMinutes, 0);    // west of Greenwich
    for (size_t i = 0; i < stations.size(); ++i) {
        e = stations.entryAt(i);
        ASSERT_LE(std::abs(e.latitudeMinutes), 90 * 60) << e.number;
        ASSERT_LE(std::abs(e.longitudeMinutes), 180 * 60) << e.number;
    }
}

TEST_F(BuiltTables, BulletinCentresAreFoundByIndicator)
{
    // Centres named by the headings of the bulletins at hand, and Europe's.
    for (const char* centre : {"EDZW", "EGRR", "LFPW", "EKMI", "ENMI", "YRBK", "SPIM", "KWBC",
                               "NZKL", "FCBB"}) {
        StationEntry e;
        ASSERT_TRUE(tables_->stations().findByIndicator(centre, e)) << centre;
        EXPECT_GT(e.nameLength, 0) << centre;
        EXPECT_FALSE(tables_->stations().findByNumber(e.number, e)) << centre;
    }
}

TEST_F(BuiltTables, CodeTextsForSynopHeadings)
{
    const std::pair<const CodeTextTable*, const char*> keys[] = {
        {&tables_->ttTable(), "SM"}, {&tables_->ttTable(), "SI"}, {&tables_->ttTable(), "SN"},
        {&tables_->aaTable(), "DL"}, {&tables_->aaTable(), "RO"}, {&tables_->aaTable(), "VX"},
        {&tables_->textTable(), "RRMM"}, {&tables_->textTable(), "CCMM"},
        {&tables_->textTable(), "AAMM"},
    };
    for (const auto& [table, key] : keys) {
        const auto text = table->find(key);
        ASSERT_TRUE(text) << key;
        EXPECT_FALSE(text->empty()) << key;
    }
    EXPECT_EQ(tables_->aaTable().find("FA").value_or(""), "F\xE4r\xF6" "er"); // Table C1 wins over C2
}
