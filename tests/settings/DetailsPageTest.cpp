#include "SettingsTestSupport.h"

#include "settings/MapDetailsPg.h"

#include <QAbstractButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

using test::control;
using test::SheetFixture;

void click(QWidget& page, int id)
{
    QTest::mouseClick(control<QAbstractButton>(page, id), Qt::LeftButton);
}

TEST(DetailsPage, SliderLimits)
{
    struct Row {
        int id;
        int position;
        double symbolSize;
        double textSize;
    } rows[] = {
        {1096, 5, 0.010, 1.0}, {1096, 9, 0.010, 1.0}, {1096, 10, 0.010, 1.0}, {1096, 11, 0.011, 1.0},
        {1096, 60, 0.060, 1.0}, {1164, 30, 0.025, 0.30}, {1164, 150, 0.025, 1.50}, {1164, 77, 0.025, 0.77},
    };
    for (const Row& r : rows) {
        SheetFixture f;
        auto sheet = f.open(CDetailSheet::DetailsPage);
        control<QSlider>(sheet->detailsPage(), r.id)->setValue(r.position);
        sheet->accept();
        EXPECT_DOUBLE_EQ(sheet->settings().symbolSize, r.symbolSize) << r.id << " at " << r.position;
        EXPECT_DOUBLE_EQ(sheet->settings().textSize, r.textSize) << r.id << " at " << r.position;
    }
}

TEST(DetailsPage, OkWithoutChangesKeepsTheSizes)
{
    for (const int hundredths : {58, 116, 30, 150}) {
        SheetFixture f;
        f.config.textSize = hundredths * 0.01;
        f.config.symbolSize = 0.037;
        auto sheet = f.open(CDetailSheet::DetailsPage);
        sheet->accept();
        EXPECT_DOUBLE_EQ(sheet->settings().textSize, hundredths * 0.01) << hundredths;
        EXPECT_DOUBLE_EQ(sheet->settings().symbolSize, 0.037) << hundredths;
    }
}

TEST(DetailsPage, SetStandardThenOkGivesBothFontsArial9)
{
    SheetFixture f;
    f.config.workFont = LogFont::make(-14, 700, 0x31, "Courier New");
    f.config.chartFont = LogFont::make(-12, 300, 0x31, "Times");
    f.config.textSize = 0.5;
    auto sheet = f.open(CDetailSheet::DetailsPage);
    click(sheet->detailsPage(), 1091);
    sheet->accept();
    for (const LogFont* font : {&sheet->settings().workFont, &sheet->settings().chartFont}) {
        EXPECT_EQ(font->faceName(), QStringLiteral("Arial"));
        EXPECT_EQ(font->height, -9);
        EXPECT_EQ(font->weight, 400);
        EXPECT_EQ(font->pitchAndFamily, 0x22);
    }
    EXPECT_DOUBLE_EQ(sheet->settings().textSize, 1.0);
}

TEST(DetailsPage, SetWorkBringsBackTheStoredFontAndSize)
{
    SheetFixture f;
    f.config.workFont = LogFont::make(-14, 700, 0x31, "Courier New");
    f.config.textSize = 0.5;
    auto sheet = f.open(CDetailSheet::DetailsPage);
    click(sheet->detailsPage(), 1091);
    click(sheet->detailsPage(), 1093);
    EXPECT_EQ(sheet->detailsPage().workingFont(), f.config.workFont);
    EXPECT_EQ(control<QSlider>(sheet->detailsPage(), 1164)->value(), 50);
}

TEST(DetailsPage, FontDialogChangesOnlyTheFace)
{
    for (const bool chosen : {true, false}) {
        SheetFixture f;
        f.config.workFont = LogFont::make(-8, 300, 0x22, "Arial");
        auto sheet = f.open(CDetailSheet::DetailsPage);
        QString offered;
        sheet->detailsPage().setFontChooser([&](const QFont& initial, QWidget*) -> std::optional<QString> {
            offered = initial.family();
            if (!chosen) return std::nullopt;
            return QStringLiteral("Courier New");  // picked at 20 points, bold
        });
        click(sheet->detailsPage(), 1092);
        sheet->accept();
        EXPECT_EQ(offered, QStringLiteral("Arial"));
        const LogFont& font = sheet->settings().workFont;
        EXPECT_EQ(font.faceName(), chosen ? QStringLiteral("Courier New") : QStringLiteral("Arial"));
        EXPECT_EQ(font.height, -8);
        EXPECT_EQ(font.weight, 300);
        EXPECT_EQ(sheet->settings().chartFont, font);
    }
}

TEST(DetailsPage, CheckButtonsFlipTheirBitsOnly)
{
    SheetFixture f;
    f.config.detailFlags = 0x0001FFFF;  // a bit above the buttons rides along
    auto sheet = f.open(CDetailSheet::DetailsPage);
    MapDetailsPg& page = sheet->detailsPage();
    EXPECT_TRUE(control<QAbstractButton>(page, 1052)->isChecked());
    click(page, 1052);
    click(page, 1057);
    for (int id : {1070, 1071, 1072}) {
        click(page, id);
        EXPECT_FALSE(control<QAbstractButton>(page, id)->isChecked()) << id;
    }
    EXPECT_FALSE(control<QAbstractButton>(page, 1052)->isChecked());
    EXPECT_FALSE(control<QAbstractButton>(page, 1057)->isChecked());
    sheet->accept();
    EXPECT_EQ(sheet->settings().detailFlags, 0x0001FFFFu & ~0x0041u);
}

TEST(DetailsPage, EveryButtonMatchesItsBit)
{
    const std::pair<int, uint32_t> table[] = {
        {1052, 0x0001}, {1053, 0x0002}, {1054, 0x0004}, {1055, 0x0008}, {1056, 0x0020}, {1057, 0x0040},
        {1058, 0x0080}, {1059, 0x0200}, {1060, 0x0100}, {1061, 0x0800}, {1068, 0x8000}, {1069, 0x4000},
    };
    for (const auto& [id, bit] : table) {
        SheetFixture f;
        f.config.detailFlags = 0;
        auto sheet = f.open(CDetailSheet::DetailsPage);
        click(sheet->detailsPage(), id);
        EXPECT_EQ(sheet->detailsPage().flags(), bit) << id;
    }
}

TEST(DetailsPage, UncheckingThenCancelReturnsNothing)
{
    SheetFixture f;
    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<CDetailSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        click(sheet->detailsPage(), 1052);
        control<QSlider>(sheet->detailsPage(), 1096)->setValue(60);
        sheet->reject();
    });
    test::qtTestApplication();
    EXPECT_FALSE(CDetailSheet::run(DetailSettings::from(f.config, f.catalogue), f.folder, SheetFixture::library(),
                                   CDetailSheet::DetailsPage, nullptr));
}

TEST(DetailsPage, PagesNotShownStoreNothing)
{
    SheetFixture f;
    f.config.symbolSize = 0.0333;
    f.config.screenColours.fill(0x010203);
    auto sheet = f.open(CDetailSheet::ChartsPage);
    sheet->accept();
    // Neither the truncation to thousandths nor a colour reload happened.
    EXPECT_DOUBLE_EQ(sheet->settings().symbolSize, 0.0333);
    EXPECT_EQ(sheet->settings().colours[0], 0x010203u);
}

} // namespace
} // namespace kesmar
