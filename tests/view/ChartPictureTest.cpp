#include "../chartdata/SyntheticChart.h"

#include "chartdata/ChartConfig.h"
#include "core/FileUtil.h"
#include "chartdata/PageDecoration.h"
#include "chartdata/PagePrinter.h"
#include "chartdata/PointFileWriter.h"
#include "chartdata/SymbolLibrary.h"
#include "nmea/VesselState.h"
#include "view/ChartPicture.h"
#include "view/ChartPrinting.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"

#include "support/QtTestApplication.h"
#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace kesmar;
using kesmar::test::boxRing;
using kesmar::test::SyntheticCharts;

namespace {

void ensureApplication()
{
    kesmar::test::qtTestApplication();
}

// The application-wide objects of a chart view over one synthetic chart with
// a box in layer 4 around 0/0; the view is 200 x 100 pixels at 1'/pixel.
class ChartPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LineFileWriter w;
        ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
        ASSERT_TRUE(charts.write("BOX", w));
        folder = charts.folder();
        viewport.startUp({0, 0, 200, 100});
        viewport.setView(1.0, 0.0, 0.0);
        catalogue = charts.catalogue({"BOX"}, viewport);
        widget.resize(200, 100);
    }
    QRgb screen(int i) const { return ColourTable::colorrefToRgb(config.screenColours[size_t(i)]) | 0xFF000000; }
    void settle(ChartPicture& picture)
    {
        ASSERT_TRUE(picture.renderer().waitUntilIdle(10000));
        QCoreApplication::processEvents();
    }

    struct AppFirst {
        AppFirst() { ensureApplication(); }
    } appFirst;
    SyntheticCharts charts;
    QString folder;
    StartupPhase phase = StartupPhase::Running;
    Viewport viewport;
    ChartCatalogue catalogue;
    ChartConfig config;
    VesselState vessel;
    CommandSet commands;
    ChartViewContext context{folder, phase, viewport, catalogue, config, vessel, commands};
    QWidget widget;
};

TEST_F(ChartPictureTest, ShowsCompletedPictureAndAsksAgainOnlyOnChange)
{
    ChartPicture picture(context, widget);
    EXPECT_TRUE(picture.refresh());
    settle(picture);
    ASSERT_TRUE(picture.renderer().hasPicture());
    EXPECT_EQ(picture.renderer().image().pixel(100, 50), screen(14));
    EXPECT_EQ(picture.renderer().image().pixel(10, 10), screen(4));
    EXPECT_FALSE(picture.refresh());

    ASSERT_TRUE(viewport.ZoomPan(0, 0, 0, 0, Viewport::PanLeft));
    catalogue.selectForViewport(viewport);
    EXPECT_TRUE(picture.refresh());
    settle(picture);
    EXPECT_EQ(picture.renderer().viewport().xOffset(), viewport.xOffset());
    config.screenColours[4] = 0x00FFFFFF;
    EXPECT_TRUE(picture.refresh());
    settle(picture);

    // The points painter draws over the charts on the picture thread.
    picture.setPointsPainter([](QPainter& p, const Viewport&) { p.fillRect(QRect(0, 0, 5, 5), Qt::red); });
    EXPECT_TRUE(picture.refresh());
    settle(picture);
    EXPECT_EQ(picture.renderer().image().pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_FALSE(picture.refresh());
}

// Once the symbol library is in, the pictures show the charts' buoyage.
TEST_F(ChartPictureTest, SymbolsDrawTheChartsPointsAfterTheLines)
{
    PointFileWriter points;
    ASSERT_TRUE(points.add(*PointRecord::make(13, 2, 0xDD, 0, 0, {0, 0})));
    const PointFileWriter::Image image = points.build();
    const QString base = folder + QStringLiteral("/CHARTDATA/BOX");
    ASSERT_TRUE(writeFileAtomically(base + QStringLiteral(".BWP"), image.bwp).ok());
    ASSERT_TRUE(writeFileAtomically(base + QStringLiteral(".BPT"), image.bpt).ok());
    SymbolLibrary::Entries entries;
    // A square filled with the point's own colour, 400 units to the lower right.
    entries[2] = {{0x0714, {{0, 0}, {400, 0}, {400, 400}, {0, 400}}}};

    ChartPicture picture(context, widget);
    picture.refresh();
    settle(picture);
    EXPECT_EQ(picture.renderer().image().pixel(105, 55), screen(14));
    picture.setSymbols(std::make_shared<const SymbolLibrary>(
        SymbolLibrary::fromBytes(*SymbolLibrary::toBytes(entries))));
    EXPECT_TRUE(picture.refresh());
    settle(picture);
    EXPECT_EQ(picture.renderer().image().pixel(105, 55), screen(13));
    EXPECT_EQ(picture.renderer().image().pixel(95, 45), screen(14));
}

// A picture overtaken by a newer request is dropped at its next layer; the
// previous picture stays until the newer one is complete.
TEST_F(ChartPictureTest, OvertakenPictureLeavesThePreviousOne)
{
    ChartPictureRenderer renderer;
    const ChartSnapshot first = ChartSnapshot::capture(viewport, catalogue, config, folder);
    renderer.request(first);
    ASSERT_TRUE(renderer.waitUntilIdle(10000));
    QCoreApplication::processEvents();
    ASSERT_EQ(renderer.shownGeneration(), 1u);
    const QImage before = renderer.image().copy();

    std::mutex m;
    std::condition_variable cv;
    bool entered2 = false, go2 = false, go3 = false;
    renderer.setCheckpointHook([&](uint64_t generation) {
        std::unique_lock lock(m);
        if (generation == 2 && !entered2) {
            entered2 = true;
            cv.notify_all();
            cv.wait(lock, [&] { return go2; });
        }
        if (generation == 3) cv.wait(lock, [&] { return go3; });
    });
    config.screenColours[14] = 0x000000FF;
    renderer.request(ChartSnapshot::capture(viewport, catalogue, config, folder));
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return entered2; });
    }
    config.screenColours[14] = 0x0000FF00;
    renderer.request(ChartSnapshot::capture(viewport, catalogue, config, folder));
    {
        std::lock_guard lock(m);
        go2 = true;
    }
    cv.notify_all();
    QCoreApplication::processEvents();
    EXPECT_EQ(renderer.shownGeneration(), 1u);
    EXPECT_EQ(renderer.image(), before);
    {
        std::lock_guard lock(m);
        go3 = true;
    }
    cv.notify_all();
    ASSERT_TRUE(renderer.waitUntilIdle(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(renderer.shownGeneration(), 3u);
    EXPECT_EQ(renderer.image().pixel(100, 50), qRgb(0, 255, 0));
}

TEST_F(ChartPictureTest, OpenErrorMarksTheChartAndIsShownOnce)
{
    charts.remove("BOX", ".LIN");
    ChartPicture picture(context, widget);
    QStringList shown;
    picture.setMessageSink([&](const QString& text) { shown << text; });
    picture.refresh();
    settle(picture);
    EXPECT_EQ(shown, QStringList{QStringLiteral("OPEN ERROR CHARTDATA\\BOX.LIN")});
    EXPECT_TRUE(catalogue.entry(0).flags & ChartEntry::LinFailed);
    // Another picture reporting the same chart (drawn before the flag was set).
    picture.applyOpenErrors({{QStringLiteral("BOX"), ChartEntry::LinFailed}});
    EXPECT_EQ(shown.size(), 1);
    // The flagged chart is no longer drawn or reported.
    EXPECT_TRUE(picture.refresh());
    settle(picture);
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(ChartPictureTest, PrintedWorldPageHasTitleAndCornersAndLeavesTheScreenAlone)
{
    ASSERT_TRUE(viewport.ZoomPan(0, 0, 0, 0, Viewport::WholeWorld));
    catalogue.selectForViewport(viewport);
    vessel.longitudeMinutes = 300.0;
    vessel.latitudeMinutes = 3240.0;
    ChartPicture picture(context, widget);
    ChartPrinting printing(context, picture, widget);
    picture.refresh();
    settle(picture);
    const Viewport screenBefore = viewport;
    const ChartSnapshot snapshotBefore = ChartSnapshot::capture(viewport, catalogue, config, folder);

    const QString pdf = charts.folder() + "/page.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const PaintResult result = printing.printTo(printer);
    EXPECT_FALSE(result.interrupted);
    EXPECT_TRUE(result.openErrors.empty());

    EXPECT_TRUE(ChartSnapshot::capture(viewport, catalogue, config, folder).sameContent(snapshotBefore));
    EXPECT_FALSE(viewport.isPrinting());
    EXPECT_EQ(viewport.scale(), screenBefore.scale());
    EXPECT_EQ(viewport.xOffset(), screenBefore.xOffset());
    EXPECT_EQ(viewport.yOffset(), screenBefore.yOffset());
    EXPECT_EQ(viewport.windowRect(), screenBefore.windowRect());
    EXPECT_FALSE(picture.refresh());

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext not installed (poppler-utils)";
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Kesmar V 1.0"))) << text.toStdString();
    const PagePrinter::Page page{QSize(printer.width(), printer.height()), double(printer.logicalDpiX()),
                                 double(printer.logicalDpiY())};
    const auto pageView = PagePrinter::pageViewport(screenBefore, page);
    ASSERT_TRUE(pageView);
    EXPECT_TRUE(text.contains(PageDecoration::cornerLabel(*pageView, true).trimmed())) << text.toStdString();
    EXPECT_TRUE(text.contains(PageDecoration::cornerLabel(*pageView, false).trimmed())) << text.toStdString();
}

// The chart view paints the background until the first picture is complete,
// then that picture with the vessel mark over it.
TEST_F(ChartPictureTest, ChartViewShowsThePictureOnceComplete)
{
    ASSERT_FALSE(catalogue.saveList(folder));
    ChartConfig stored;
    stored.viewScale = 1.0;
    stored.viewXOffset = 0.0;
    stored.viewYOffset = 0.0;
    ASSERT_TRUE(writeFileAtomically(ChartConfig::filePath(folder), stored.toBytes()).ok());
    phase = StartupPhase::BeforeViewStart;
    vessel.longitudeMinutes = -60.0;  // 1 degree W, on the equator: pixel (40, 50)
    vessel.latitudeMinutes = 0.0;
    CKesmarView view(context);
    view.resize(200, 100);
    view.initialUpdate();
    ASSERT_EQ(viewport.scale(), 1.0);
    view.grab();  // the first paint asks for the picture
    ASSERT_TRUE(view.picture().renderer().waitUntilIdle(10000));
    QCoreApplication::processEvents();
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(100, 50), screen(14));
    EXPECT_EQ(shown.pixel(10, 10), screen(4));
    const QRgb background = screen(4);
    EXPECT_EQ(shown.pixel(40 - 9, 50), qRgb(255 - qRed(background), 255 - qGreen(background), 255 - qBlue(background)));
    EXPECT_EQ(shown.pixel(40, 50), background);
}

} // namespace
