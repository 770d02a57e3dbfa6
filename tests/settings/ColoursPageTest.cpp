#include "SettingsTestSupport.h"

#include "settings/CColorPreview.h"
#include "settings/CColorsPage.h"
#include "settings/SettingsPreviews.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>

namespace kesmar {
namespace {

using test::control;
using test::SheetFixture;

// The stored defaults as the colour table states them (0x00BBGGRR).
constexpr std::array<uint32_t, 16> kChartDefaults = {0xC0C0C0, 0x000000, 0xFFFFFF, 0x808080, 0xA81818, 0x00D8FF,
                                                     0xD00000, 0xA87270, 0xE05000, 0x00D000, 0xFF8000, 0xFF00FF,
                                                     0x608828, 0x0028FF, 0x006090, 0x0080A8};

constexpr std::array<uint32_t, 16> kPrinterDefaults = {0xC0C0C0, 0x000000, 0xFFFFFE, 0x000000, 0xFFFFFF, 0x00D8FF,
                                                       0xFFF1C3, 0xA87270, 0xFFE18D, 0x007C00, 0xFFCD38, 0xFF1EFF,
                                                       0x8DCD7E, 0x0000FF, 0x349DD1, 0x2485E9};

void setSliders(CColorsPage& page, int r, int g, int b)
{
    control<QSlider>(page, 1156)->setValue(r);
    control<QSlider>(page, 1157)->setValue(g);
    control<QSlider>(page, 1158)->setValue(b);
}

void click(QWidget& page, int id)
{
    QTest::mouseClick(control<QAbstractButton>(page, id), Qt::LeftButton);
}

bool containsColour(const QImage& image, QRgb rgb)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) return true;
    return false;
}

TEST(ColoursPage, StandardColoursThenOkRestoreOnlyTheirGroup)
{
    for (const int button : {1163, 1164}) {
        SheetFixture f;
        f.config.screenColours.fill(0x123456);
        f.config.printerColours.fill(0x654321);
        auto sheet = f.open(CDetailSheet::ColoursPage);
        EXPECT_EQ(sheet->tabs().currentIndex(), 2);
        click(sheet->coloursPage(), 1133);
        click(sheet->coloursPage(), button);
        EXPECT_FALSE(sheet->coloursPage().selected());
        EXPECT_EQ(sheet->coloursPage().mixColour(), 0xC0C0C0u);
        sheet->accept();
        const auto& c = sheet->settings().colours;
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(c[size_t(i)], button == 1163 ? kChartDefaults[size_t(i)] : 0x123456u) << button << " chart " << i;
            EXPECT_EQ(c[size_t(16 + i)], button == 1164 ? kPrinterDefaults[size_t(i)] : 0x654321u) << button << " printer " << i;
        }
    }
}

TEST(ColoursPage, SlidersWithoutSetThisColourStoreOnlyTheMix)
{
    SheetFixture f;
    auto sheet = f.open(CDetailSheet::ColoursPage);
    CColorsPage& page = sheet->coloursPage();
    click(page, 1121);
    setSliders(page, 10, 20, 30);
    sheet->accept();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(sheet->settings().colours[size_t(i)], kChartDefaults[size_t(i)]) << i;
    EXPECT_EQ(sheet->settings().colours[32], 0x1E140Au);
}

TEST(ColoursPage, SetThisColourThenOkStoresItAndCancelDropsIt)
{
    for (const bool ok : {true, false}) {
        SheetFixture f;
        const DetailSettings before = DetailSettings::from(f.config, f.catalogue);
        QTimer::singleShot(0, [ok] {
            auto* sheet = qobject_cast<CDetailSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            click(sheet->coloursPage(), 1127);
            setSliders(sheet->coloursPage(), 1, 2, 3);
            click(sheet->coloursPage(), 1162);
            ok ? sheet->accept() : sheet->reject();
        });
        test::qtTestApplication();
        const std::optional<DetailSettings> result =
            CDetailSheet::run(before, f.folder, SheetFixture::library(), CDetailSheet::ColoursPage, nullptr);
        ASSERT_EQ(result.has_value(), ok);
        if (ok) {
            EXPECT_EQ(result->colours[7], 0x030201u);
        }
    }
}

TEST(ColoursPage, ClickOnTheIndex6BandSelectsItsSwatch)
{
    SheetFixture f;
    auto sheet = f.open(CDetailSheet::ColoursPage);
    CColorsPage& page = sheet->coloursPage();
    for (const auto& [previewId, swatch] : {std::pair{1113, 1126}, std::pair{1114, 1142}}) {
        auto* preview = control<CColorPreview>(page, previewId);
        const int band = preview->width() / 6;
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(band + band / 2, 4));
        ASSERT_TRUE(page.selected());
        EXPECT_EQ(*page.selected(), swatch) << previewId;
    }
}

TEST(ColoursPage, NearestEntryByValueLowerIndexOnTies)
{
    std::array<uint32_t, 16> t{};
    for (int i = 0; i < 16; ++i) t[size_t(i)] = 0x100000u * uint32_t(i);
    struct Row {
        uint32_t pixel;
        int expected;
    } rows[] = {
        {0x300000, 3}, {0x37FFFF, 3}, {0x380001, 4}, {0xFFFFFF, 15}, {0, 0},
        {0x380000, 3},  // halfway: the lower index
    };
    for (const Row& r : rows) EXPECT_EQ(SettingsPreviews::nearestEntry(t, r.pixel), r.expected) << std::hex << r.pixel;
    t[9] = t[6];
    EXPECT_EQ(SettingsPreviews::nearestEntry(t, t[6]), 6);
}

TEST(ColoursPage, PreviewShowsTheMixBeforeItIsSet)
{
    SheetFixture f;
    auto sheet = f.open(CDetailSheet::ColoursPage);
    CColorsPage& page = sheet->coloursPage();
    auto* preview = control<CColorPreview>(page, 1113);
    ASSERT_FALSE(containsColour(preview->render(), qRgb(255, 0, 0)));
    ASSERT_TRUE(containsColour(preview->render(), qRgb(255, 216, 0)));  // index 5 in the samples
    click(page, 1125);
    setSliders(page, 255, 0, 0);
    EXPECT_TRUE(containsColour(preview->render(), qRgb(255, 0, 0)));
    EXPECT_FALSE(containsColour(preview->render(), qRgb(255, 216, 0)));
    EXPECT_EQ(page.entry(1125), 0x00D8FFu);  // the table waits for "Set this Color"
    // The printer preview keeps its own index 5.
    EXPECT_TRUE(containsColour(control<CColorPreview>(page, 1114)->render(), qRgb(255, 216, 0)));
}

TEST(ColoursPage, ResetAndSetWithoutSelectionDoNothing)
{
    SheetFixture f;
    auto sheet = f.open(CDetailSheet::ColoursPage);
    CColorsPage& page = sheet->coloursPage();
    setSliders(page, 9, 9, 9);
    click(page, 1162);
    click(page, 1161);
    for (int id = 1120; id < 1152; ++id)
        EXPECT_EQ(page.entry(id), id < 1136 ? kChartDefaults[size_t(id - 1120)] : f.config.printerColours[size_t(id - 1136)]);
    click(page, 1130);
    setSliders(page, 1, 1, 1);
    click(page, 1162);
    EXPECT_EQ(page.entry(1130), 0x010101u);
    click(page, 1161);
    EXPECT_EQ(page.entry(1130), kChartDefaults[10]);
}

TEST(ColoursPage, EditBoxesRefuseWhatIsNotANumberFrom0To255)
{
    struct Row {
        const char* text;
        const char* message;  // nullptr: accepted
    } rows[] = {
        {"255", nullptr},
        {"256", "Geben Sie bitte eine ganze Zahl zwischen 0 und 255 ein."},
        {"-1", "Geben Sie bitte eine ganze Zahl zwischen 0 und 255 ein."},
        {"abc", "Geben Sie bitte eine ganze Zahl ein."},
        {"", "Geben Sie bitte eine ganze Zahl ein."},
    };
    for (const Row& r : rows) {
        SheetFixture f;
        auto sheet = f.open(CDetailSheet::ColoursPage);
        control<QLineEdit>(sheet->coloursPage(), 1019)->setText(QString::fromLatin1(r.text));
        sheet->accept();
        if (!r.message) {
            EXPECT_EQ(sheet->QDialog::result(), QDialog::Accepted) << r.text;
            EXPECT_TRUE(f.messages.isEmpty()) << r.text;
            continue;
        }
        EXPECT_NE(sheet->QDialog::result(), QDialog::Accepted) << r.text;
        ASSERT_EQ(f.messages.size(), 1) << r.text;
        EXPECT_EQ(f.messages[0], QString::fromUtf8(r.message));
        // Leaving the page is refused the same way.
        sheet->tabs().setCurrentIndex(0);
        EXPECT_EQ(sheet->tabs().currentIndex(), 2) << r.text;
    }
}

} // namespace
} // namespace kesmar
