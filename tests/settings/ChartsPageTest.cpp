#include "SettingsTestSupport.h"

#include "settings/CChartPreview.h"
#include "settings/MapRequesterPg.h"
#include "settings/CColorsPage.h"
#include "settings/SettingsFileCheck.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

using test::control;
using test::SheetFixture;

// 1° = 60 000 thousandths of a minute; y is the negated latitude.
constexpr int32_t kDeg = 60000;

SheetFixture abcFolder()
{
    SheetFixture f;
    f.header(QStringLiteral("A.HDR"), -55 * kDeg, 0, -54 * kDeg, 4 * kDeg);
    f.header(QStringLiteral("b.hdr"), -55 * kDeg, 5 * kDeg, -53 * kDeg, 7 * kDeg);
    f.header(QStringLiteral("C.HDR"), -50 * kDeg, 0, -49 * kDeg, 2 * kDeg);
    f.header(QStringLiteral("WORLDMAP.HDR"), -90 * kDeg, -180 * kDeg, 90 * kDeg, 180 * kDeg);
    EXPECT_FALSE(f.catalogue.addChart(f.folder, QStringLiteral("B")));
    return f;
}

TEST(ChartsPage, FolderAgainstCatalogue)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ChartsPage);
    MapRequesterPg& page = sheet->chartsPage();
    EXPECT_EQ(page.usedCharts(), QStringList{QStringLiteral("B")});
    EXPECT_EQ(page.unusedCharts(), (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("WORLDMAP")}));
    EXPECT_EQ(page.unusedCount(), 3);
    EXPECT_EQ(page.infoLine(), QStringLiteral("! Es ist möglich mit der Maus ist in den Bildern zu zoomen !"));
}

TEST(ChartsPage, DoubleClickMovesBetweenListsAndCatalogue)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ChartsPage);
    MapRequesterPg& page = sheet->chartsPage();
    auto* unused = control<QListWidget>(page, 1085);
    auto* used = control<QListWidget>(page, 1083);
    QListWidgetItem* a = unused->findItems(QStringLiteral("A"), Qt::MatchExactly).first();
    unused->setCurrentItem(a);
    emit unused->itemDoubleClicked(a);
    EXPECT_EQ(page.usedCharts(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(page.unusedCount(), 2);
    QListWidgetItem* b = used->findItems(QStringLiteral("B"), Qt::MatchExactly).first();
    used->setCurrentItem(b);
    emit used->itemDoubleClicked(b);
    sheet->accept();
    const ChartCatalogue& result = sheet->settings().catalogue;
    ASSERT_EQ(result.count(), 1);
    EXPECT_EQ(result.entry(0).name, QStringLiteral("A"));
    EXPECT_EQ(f.catalogue.count(), 1);  // the live catalogue is only the owner's to change
    EXPECT_EQ(f.catalogue.entry(0).name, QStringLiteral("B"));
}

TEST(ChartsPage, HundredthChartRefusedStaysNotUsed)
{
    SheetFixture f = abcFolder();
    for (int i = 1; i < ChartCatalogue::kCapacity; ++i) {
        ChartHeader h;
        h.setBox({-i * 100, 0, -i * 100 + 50, 50});
        ASSERT_FALSE(f.catalogue.addHeader(QStringLiteral("X%1").arg(i), h));
    }
    ASSERT_EQ(f.catalogue.count(), 100);
    auto sheet = f.open(CDetailSheet::ChartsPage);
    MapRequesterPg& page = sheet->chartsPage();
    f.messages.clear();  // the world preview's missing line files
    page.moveChart(QStringLiteral("A"), false);
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains(QStringLiteral("100"))) << f.messages[0].toStdString();
    EXPECT_TRUE(page.unusedCharts().contains(QStringLiteral("A")));
    EXPECT_EQ(sheet->settings().catalogue.count(), 100);
}

TEST(ChartsPage, SelectionInOneListClearsTheOther)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ChartsPage);
    auto* unused = control<QListWidget>(sheet->chartsPage(), 1085);
    auto* used = control<QListWidget>(sheet->chartsPage(), 1083);
    used->setFocus();
    used->setCurrentRow(0);
    ASSERT_EQ(sheet->chartsPage().selectedChart(), QStringLiteral("B"));
    unused->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(used->selectedItems().isEmpty());
}

TEST(ChartsPage, InformationLineNamesTheCorners)
{
    SheetFixture f = abcFolder();
    f.header(QStringLiteral("ELBE.HDR"), -2910000, 483000, -2880500, 540250);  // 48°30'N 8°03'E .. 48°00.5'N 9°00.25'E
    auto sheet = f.open(CDetailSheet::ChartsPage);
    MapRequesterPg& page = sheet->chartsPage();
    auto* unused = control<QListWidget>(page, 1085);
    unused->setCurrentItem(unused->findItems(QStringLiteral("ELBE"), Qt::MatchExactly).first());
    EXPECT_EQ(page.infoLine(), QStringLiteral("ELBE:  48°30.000 N - 8° 3.000 E  /  48° 0.500 N - 9° 0.250 E"));
    EXPECT_EQ(MapRequesterPg::cornerText(2910000, -483000), QStringLiteral("48°30.000 S - 8° 3.000 W"));
    EXPECT_TRUE(page.upperPreview().outline().has_value());
    QFile::remove(f.folder + QStringLiteral("/CHARTDATA/ELBE.HDR"));
    unused->setCurrentItem(unused->findItems(QStringLiteral("A"), Qt::MatchExactly).first());
    unused->setCurrentItem(unused->findItems(QStringLiteral("ELBE"), Qt::MatchExactly).first());
    EXPECT_EQ(page.infoLine(), QStringLiteral("OPEN ERROR CHART HEADER\\%1/CHARTDATA/ELBE.HDR").arg(f.folder));
}

TEST(ChartsPage, OutlineClippedToTheZoomedWorldPreview)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ChartsPage);
    CChartPreview& upper = sheet->chartsPage().upperPreview();
    // Zoomed far into the middle of the world (0°, 0°): chart A's west edge
    // lies inside the preview, its other edges far outside.
    upper.zoomTo(upper.width() / 2 - 2, upper.width() / 2 + 2, upper.height() / 2 - 2, upper.height() / 2 + 2);
    auto* unused = control<QListWidget>(sheet->chartsPage(), 1085);
    unused->setCurrentItem(unused->findItems(QStringLiteral("A"), Qt::MatchExactly).first());
    ASSERT_TRUE(upper.outline());
    const QRect r = *upper.outline();
    EXPECT_EQ(r.top(), 0);
    EXPECT_EQ(r.right(), upper.width());
    EXPECT_EQ(r.bottom(), 0);  // A lies north of the view: top and bottom both at the edge
    EXPECT_GT(r.left(), 0);
    EXPECT_LT(r.left(), upper.width());
}

TEST(ChartsPage, ChartFittedByWidthOrByHeight)
{
    SheetFixture f = abcFolder();
    f.header(QStringLiteral("WIDE.HDR"), -55 * kDeg, 0, -54 * kDeg, 4 * kDeg);         // 4° x 1°
    f.header(QStringLiteral("TALL.HDR"), -55 * kDeg, 0, -55 * kDeg + 90000, 2 * kDeg); // 2° x 1.5°
    auto sheet = f.open(CDetailSheet::ChartsPage);
    CChartPreview& lower = sheet->chartsPage().lowerPreview();
    auto* unused = control<QListWidget>(sheet->chartsPage(), 1085);
    unused->setCurrentItem(unused->findItems(QStringLiteral("WIDE"), Qt::MatchExactly).first());
    EXPECT_DOUBLE_EQ(lower.viewport().scale(), 240.0 / lower.width());
    EXPECT_DOUBLE_EQ(lower.viewport().xOffset(), -120.0);
    EXPECT_DOUBLE_EQ(lower.viewport().yOffset(), 3270.0);
    unused->setCurrentItem(unused->findItems(QStringLiteral("TALL"), Qt::MatchExactly).first());
    EXPECT_DOUBLE_EQ(lower.viewport().scale(), 90.0 / lower.height() / 0.71);
}

TEST(ChartsPage, RubberBandBelowTenPixelsChangesNothing)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ChartsPage);
    CChartPreview& upper = sheet->chartsPage().upperPreview();
    const double world = upper.viewport().scale();
    ASSERT_DOUBLE_EQ(world, 21600.0 / upper.width());
    auto drag = [&upper](int dx) {
        QTest::mousePress(&upper, Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseMove(&upper, QPoint(40 + dx, 60));
        QTest::mouseRelease(&upper, Qt::LeftButton, {}, QPoint(40 + dx, 60));
    };
    drag(9);
    EXPECT_DOUBLE_EQ(upper.viewport().scale(), world);
    drag(90);
    EXPECT_DOUBLE_EQ(upper.viewport().scale(), 90.0 * world / upper.width());
    QTest::mouseClick(control<QPushButton>(sheet->chartsPage(), 1080), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(upper.viewport().scale(), world);
}

TEST(ChartsPage, PreviewDrawsInTheEditedChartBackground)
{
    SheetFixture f = abcFolder();
    auto sheet = f.open(CDetailSheet::ColoursPage);
    sheet->tabs().setCurrentIndex(1);
    CChartPreview& lower = sheet->chartsPage().lowerPreview();
    EXPECT_EQ(lower.render().pixel(5, 5) & 0xFFFFFF, 0x1818A8u);  // default index 4 (24, 24, 168)
    sheet->tabs().setCurrentIndex(2);
    QTest::mouseClick(control<QAbstractButton>(sheet->coloursPage(), 1124), Qt::LeftButton);
    control<QSlider>(sheet->coloursPage(), 1156)->setValue(7);
    QTest::mouseClick(control<QAbstractButton>(sheet->coloursPage(), 1162), Qt::LeftButton);
    EXPECT_EQ(lower.render().pixel(5, 5) & 0xFFFFFF, 0x0718A8u);  // red channel 7, the rest of index 4
}

TEST(SettingsFileCheck, DamagedListAndConfigAreNamed)
{
    struct Row {
        qsizetype listBytes;  // -1: no file
        qsizetype configBytes;
        bool listDamaged;
        bool configDamaged;
    } rows[] = {
        {-1, -1, false, false}, {0, 568, false, false}, {324, 568, false, false},
        {163, 568, true, false}, {16362, -1, true, false}, {162, 100, false, true},
    };
    for (const Row& r : rows) {
        SheetFixture f;
        if (r.listBytes >= 0) {
            QFile list(f.folder + QStringLiteral("/CHARTDATA/CHARTLIST.LST"));
            ASSERT_TRUE(list.open(QIODevice::WriteOnly));
            list.write(QByteArray(r.listBytes, 'x'));
        }
        if (r.configBytes >= 0) {
            QFile config(f.folder + QStringLiteral("/CHARTDATA/CHART.CFG"));
            ASSERT_TRUE(config.open(QIODevice::WriteOnly));
            config.write(QByteArray(r.configBytes, '\0'));
        }
        const SettingsFileCheck::Findings found = SettingsFileCheck::check(f.folder);
        EXPECT_EQ(found.listDamaged, r.listDamaged) << r.listBytes;
        EXPECT_EQ(found.configDamaged, r.configDamaged) << r.configBytes;
        EXPECT_EQ(found.messages.size(), int(r.listDamaged) + int(r.configDamaged));
        if (r.listDamaged) {
            ASSERT_TRUE(SettingsFileCheck::keepDamagedList(f.folder));
            EXPECT_EQ(QFileInfo(f.folder + QStringLiteral("/CHARTDATA/CHARTLIST.LST.bak")).size(), r.listBytes);
        }
    }
}

} // namespace
} // namespace kesmar
