#include "../weather/WeatherMapTestSupport.h"

#include "SynviewMapWidget.h"
#include "SynviewOptions.h"
#include "SynviewRender.h"
#include "SynviewScene.h"
#include "SynviewWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

QApplication& app()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

constexpr uint32_t kNoon = 1796648400;  // reports of 07.12.2026 12:00 UTC
constexpr uint32_t kEvening = kNoon + 6 * 3600;

// A program folder without charts and tables: only SYNOP/STATION.DAT.
class SynviewFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    }
    void writeStations(const std::vector<SynopRecord>& records, int cut = 0)
    {
        QByteArray bytes;
        for (const SynopRecord& r : records) {
            const auto b = r.serialise();
            bytes.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
        }
        bytes.chop(cut);
        QFile f(QDir(dir.path()).filePath(QStringLiteral("SYNOP/STATION.DAT")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static SynopRecord at(uint32_t time, uint32_t number, int16_t latitude, int16_t longitude)
    {
        SynopRecord r = test::fullLandRecord();
        r.observationTime = time;
        r.stationEntry.number = number;
        r.stationEntry.latitudeMinutes = latitude;
        r.stationEntry.longitudeMinutes = longitude;
        return r;
    }
    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

TEST(SynviewOptions, ArgumentsAndTheirFaults)
{
    QString error;
    auto o = SynviewOptions::parse({"1796648400"}, &error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->time, kNoon);
    EXPECT_TRUE(o->renderOutput.isEmpty());
    o = SynviewOptions::parse({"--render", "a.PNG", "--time", "2026120712", "--view", "50,10,1.5", "--size", "800x600"},
                              &error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->renderOutput, "a.PNG");
    EXPECT_EQ(o->time, kNoon); // YYYYMMDDHH, the test runs in UTC
    EXPECT_EQ(o->viewScale, 1.5);
    EXPECT_EQ(o->size, QSize(800, 600));
    EXPECT_EQ(SynviewOptions::parseTime("2026-12-07T18:00"), kEvening);
    o = SynviewOptions::parse({"--legend", "key.png"}, &error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->legendOutput, "key.png");
    const QStringList faulty[] = {
        {"--render", "a.jpg"}, {"--size", "800"}, {"--size", "0x600"}, {"--view", "50,10"},
        {"--view", "95,10,1"}, {"--view", "50,10,0"}, {"--time", "gestern"}, {"2026-13-07T12"},
        {"--frobnicate"}, {"1", "2"}, {"--render"}, {"--legend"},
    };
    for (const QStringList& args : faulty) {
        error.clear();
        EXPECT_FALSE(SynviewOptions::parse(args, &error)) << qPrintable(args.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST_F(SynviewFolder, RenderDrawsTheStationsOfTheTimeAsked)
{
    // Düsseldorf and a ship in the German Bight; the earlier time has another station.
    SynopRecord ship = at(kNoon, 0, -3252, 474);
    ship.flags |= SynopFlag::ShipCallSign;
    ship.sectionKind = 2;
    ship.stationEntry.setName("DBAI");
    writeStations({at(kNoon, 10400, -3077, 406), ship, at(kEvening, 10510, -3210, 600)});
    SynviewOptions o;
    o.renderOutput = path("map.png");
    o.time = kNoon;
    o.size = QSize(600, 400);
    o.viewLatitude = 52.8;
    o.viewLongitude = 7.0;
    o.viewScale = 1.0;
    QStringList messages;
    ASSERT_TRUE(SynviewRender::run(o, dir.path(), messages)) << qPrintable(messages.join('\n'));
    const QImage image(o.renderOutput);
    if (qEnvironmentVariableIsSet("SYNVIEW_TEST_KEEP")) image.save(qEnvironmentVariable("SYNVIEW_TEST_KEEP"));
    ASSERT_EQ(image.size(), QSize(600, 400));
    // Models at Düsseldorf (51°17' N 6°46' E) and the ship, none at the
    // station of the other time.
    SynviewScene scene(dir.path());
    ASSERT_TRUE(scene.startUp(o.size));
    scene.setView(52.8, 7.0, 1.0);
    const QRgb background = image.pixel(599, 399);
    auto darkAround = [&](int lonMinutes, int latMinutes) {
        const QPoint p = scene.viewport().project(lonMinutes, -latMinutes);
        int dark = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                dark += image.valid(p + QPoint(dx, dy)) && image.pixel(p + QPoint(dx, dy)) != background
                        && qGray(image.pixel(p + QPoint(dx, dy))) < 60;
        return dark;
    };
    EXPECT_GT(darkAround(406, 3077), 10);
    EXPECT_GT(darkAround(474, 3252), 10);
    EXPECT_EQ(darkAround(600, 3210), 0);
    // No station table and no charts: said, and the stations drawn all the same.
    EXPECT_TRUE(messages.join('\n').contains("Stationsliste nicht lesbar")) << qPrintable(messages.join('\n'));

    o.renderOutput = path("map.pdf");
    messages.clear();
    ASSERT_TRUE(SynviewRender::run(o, dir.path(), messages));
    QFile pdf(o.renderOutput);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(SynviewFolder, BadStationFilesGiveAMessageAndAMap)
{
    struct Row {
        const char* name;
        std::vector<SynopRecord> records;
        int cut;
        std::optional<uint32_t> time;
        const char* message;
    };
    const Row rows[] = {
        {"empty", {}, 0, std::nullopt, "die Datei ist leer"},
        {"truncated", {at(kNoon, 10400, -3077, 406), at(kNoon, 10410, -3090, 420)}, 100, std::nullopt, "das Ende ist beschädigt"},
        {"time without records", {at(kNoon, 10400, -3077, 406)}, 0, kEvening, "Zu 07.12.2026 18:00 UTC gibt es keine Meldungen."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        writeStations(r.records, r.cut);
        SynviewOptions o;
        o.renderOutput = path("bad.png");
        o.size = QSize(300, 200);
        o.time = r.time;
        QStringList messages;
        EXPECT_TRUE(SynviewRender::run(o, dir.path(), messages));
        EXPECT_TRUE(messages.join('\n').contains(QString::fromUtf8(r.message))) << qPrintable(messages.join('\n'));
        EXPECT_FALSE(QImage(o.renderOutput).isNull());
    }
    QFile::remove(path("SYNOP/STATION.DAT"));
    SynviewScene scene(dir.path());
    ASSERT_TRUE(scene.startUp(QSize(300, 200)));
    EXPECT_TRUE(scene.messages().join('\n').contains("Keine SYNOP-Daten"));
    EXPECT_TRUE(scene.data().times().empty());
}

TEST_F(SynviewFolder, WindowStepsTimesZoomsAndShowsTheReport)
{
    SynopRecord hot = at(kEvening, 10410, -3090, 420);
    hot.airTemperature = 990; // 99 degC
    writeStations({at(kNoon, 10400, -3077, 406), hot, at(kEvening, 10400, -3077, 406)});
    SynviewScene scene(dir.path());
    ASSERT_TRUE(scene.startUp(QSize(800, 600)));
    SynviewWindow window(scene);
    window.resize(900, 700);
    window.show();
    EXPECT_EQ(scene.time(), kEvening); // the latest time first
    QAction* earlier = nullptr;
    QAction* later = nullptr;
    for (QAction* a : window.findChildren<QAction*>()) {
        if (a->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Left))) earlier = a;
        if (a->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Right))) later = a;
    }
    ASSERT_TRUE(earlier && later);
    earlier->trigger();
    EXPECT_EQ(scene.time(), kNoon);
    earlier->trigger(); // no earlier time: stays
    EXPECT_EQ(scene.time(), kNoon);
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty());
    later->trigger();
    EXPECT_EQ(scene.time(), kEvening);
    EXPECT_EQ(scene.shownStations().size(), 2u);
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QString::fromUtf8("Temperatur 99,0 °C")))
        << qPrintable(window.statusBar()->currentMessage());
    window.showTime(kNoon + 60);       // nearest
    EXPECT_EQ(scene.time(), kNoon);
    EXPECT_EQ(scene.shownStations().size(), 1u);

    SynviewMapWidget* map = window.map();
    map->resize(800, 600);
    scene.setView(51.3, 6.8, 0.05);
    QApplication::processEvents();
    const double before = scene.viewport().scale();
    QWheelEvent wheel(QPointF(400, 300), map->mapToGlobal(QPointF(400, 300)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    EXPECT_LT(scene.viewport().scale(), before);

    map->repaint(); // places the models for the click
    const QPoint station = scene.viewport().project(406, -3077);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(station), map->mapToGlobal(QPointF(station)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(station), map->mapToGlobal(QPointF(station)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map, &press);
    QApplication::sendEvent(map, &release);
    const auto dialogs = window.findChildren<QDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    const auto* text = dialogs[0]->findChild<QPlainTextEdit*>();
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->toPlainText().startsWith("Station 10400 DUESSELDORF\n")) << qPrintable(text->toPlainText());
    EXPECT_TRUE(text->toPlainText().contains("Beobachtung: 07.12.2026 12:00 UTC"));

    // A rectangle dragged with the left button zooms into it.
    const double wide = scene.viewport().scale();
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(100, 100), map->mapToGlobal(QPointF(100, 100)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 250), map->mapToGlobal(QPointF(300, 250)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(300, 250), map->mapToGlobal(QPointF(300, 250)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map, &down);
    QApplication::sendEvent(map, &move);
    QApplication::sendEvent(map, &up);
    EXPECT_LT(scene.viewport().scale(), wide);

    // The plotter's keys: Page Down zooms out.
    const double narrow = scene.viewport().scale();
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(map, &pageDown);
    EXPECT_GT(scene.viewport().scale(), narrow);
}

TEST_F(SynviewFolder, WindowFollowsAConversion)
{
    writeStations({at(kNoon, 10400, -3077, 406)});
    SynviewScene scene(dir.path());
    ASSERT_TRUE(scene.startUp(QSize(400, 300)));
    SynviewWindow window(scene);
    window.show();
    ASSERT_EQ(scene.data().times().size(), 1u);
    // The conversion replaces the file by a rename.
    writeStations({at(kNoon, 10400, -3077, 406), at(kEvening, 10400, -3077, 406)});
    QFile::remove(path("SYNOP/STATION.TMP"));
    ASSERT_TRUE(QFile::copy(path("SYNOP/STATION.DAT"), path("SYNOP/STATION.TMP")));
    QFile::remove(path("SYNOP/STATION.DAT"));
    ASSERT_TRUE(QFile::rename(path("SYNOP/STATION.TMP"), path("SYNOP/STATION.DAT")));
    QElapsedTimer waited;
    waited.start();
    while (scene.data().times().size() != 2 && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(scene.data().times().size(), 2u);
    EXPECT_EQ(scene.time(), kNoon); // the time shown stays

    // F5 reads it again by hand; a file that went away is said.
    QFile::remove(path("SYNOP/STATION.DAT"));
    QAction* reload = nullptr;
    for (QAction* a : window.findChildren<QAction*>())
        if (a->shortcut() == QKeySequence(Qt::Key_F5)) reload = a;
    ASSERT_TRUE(reload);
    reload->trigger();
    EXPECT_TRUE(scene.data().times().empty());
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("Keine SYNOP-Daten"));
}

} // namespace
