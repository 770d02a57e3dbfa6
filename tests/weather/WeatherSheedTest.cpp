#include "weather/ui/FontStepButton.h"
#include "weather/ui/WeatherDisplayFont.h"
#include "weather/ui/WeatherList.h"
#include "weather/ui/WeatherSheed.h"
#include "weather/ui/WeatherTextPage.h"

#include "BulletinTestSupport.h"
#include "support/QtTestApplication.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

struct Start {
    QString program;
    QStringList arguments;
};

class Sheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::qtTestApplication();
        test::useUtc();
        folder.writeBulletin(QStringLiteral("NORD_2003_12_05_12_00.RTF"),
                             {QStringLiteral("BULLETIN FOR THE NORTHSEA"), QStringLiteral("DEUTSCHE BUCHT NW 5")});
        folder.writeBulletin(QStringLiteral("NOBA_2003_12_05_06_00.RTF"),
                             {QStringLiteral("BULLETIN FOR NORTHSEA  AND BALTIC SEA"), QStringLiteral("SKAGERRAK W 6")});
        folder.writeBulletin(QStringLiteral("MISC_2003_12_04_10_00.RTF"), {QStringLiteral("SECURITE")});
        folder.writeFax(QStringLiteral("FAX_2003_12_05_12_00.BMP"));
        folder.writeStationFile({1070625600u, 1070625600u, 1070625600u});
    }
    std::unique_ptr<WeatherSheed> open(WeatherSheed::Page page)
    {
        auto sheet = std::make_unique<WeatherSheed>(folder.path(), nullptr, font, page);
        sheet->launcher().setStarter([this](const QString& program, const QStringList& args, const QString&) {
            starts.push_back({program, args});
            return true;
        });
        sheet->show();
        return sheet;
    }
    // As the platform delivers it: press, release, double-click, release.
    static void doubleClick(QTreeWidget& tree, QTreeWidgetItem* item)
    {
        const QPoint at = tree.visualItemRect(item).center();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
    }
    static QTreeWidgetItem* childWithText(QTreeWidget& tree, int root, const QString& text)
    {
        QTreeWidgetItem* r = tree.topLevelItem(root);
        for (int i = 0; r && i < r->childCount(); ++i)
            if (r->child(i)->text(0) == text)
                return r->child(i);
        return nullptr;
    }

    test::ProgramFolder folder;
    WeatherDisplayFont font;
    std::vector<Start> starts;
};

TEST_F(Sheet, CaptionAndEightPagesInOrder)
{
    auto sheet = open(WeatherSheed::Europe2);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral(" Weather Propertys"));
    QStringList captions;
    QStringList classes;
    for (int i = 0; i < sheet->tabs().count(); ++i) {
        captions << sheet->tabs().tabText(i);
        classes << sheet->tabs().widget(i)->objectName();
    }
    EXPECT_EQ(captions, (QStringList{"WEATHER LIST", "NORTHSEA", "BALTIC SEA", "EUROPA PART 1", "EUROPA PART 2",
                                     "MEDITERRANEAN SEA", "NAVTEX", "WARNINGS"}));
    EXPECT_EQ(classes, (QStringList{"WeatherList", "WaetherNordsea", "WeatherBaltic", "WeatherEuropa1",
                                    "WeatherEurop2", "WaetherMediteran", "WeatherNavtex", "WeatherWarnings"}));
    EXPECT_EQ(sheet->tabs().currentIndex(), 4);
    EXPECT_FALSE(sheet->listPage().built()); // pages never shown are never built
}

TEST_F(Sheet, ListPageTreeRootsChildrenAndData)
{
    auto sheet = open(WeatherSheed::List);
    QTreeWidget& tree = sheet->listPage().tree();
    ASSERT_EQ(tree.topLevelItemCount(), 9);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("FAX: Alle FAX-Bilder"));
    EXPECT_EQ(tree.topLevelItem(8)->text(0), QStringLiteral("NAVTEX: Dieverse Berichte "));
    EXPECT_EQ(tree.topLevelItem(2)->childCount(), 5); // every product in the time list
    EXPECT_NE(childWithText(tree, 1, QStringLiteral("05.12.03 12:00 SYNOP-Bulletin 3 Stations")), nullptr);
    EXPECT_NE(childWithText(tree, 3, QStringLiteral("05.12.03 12:00 BULLETIN FOR THE NORTHSEA")), nullptr);
    EXPECT_NE(childWithText(tree, 4, QStringLiteral("05.12.03 06:00 BULLETIN FOR NORTHSEA  AND BALTIC SEA")), nullptr);
    EXPECT_NE(childWithText(tree, 2, QStringLiteral("04.12.03 10:00 WARNING")), nullptr);
    EXPECT_EQ(tree.topLevelItem(3)->data(0, Qt::UserRole).toUInt(), 0x2000u);
}

TEST_F(Sheet, DoubleClickOnFaxStartsTheFaxViewerRootsStartNothing)
{
    auto sheet = open(WeatherSheed::List);
    QTreeWidget& tree = sheet->listPage().tree();
    QTreeWidgetItem* root = tree.topLevelItem(0);
    tree.expandItem(root);
    tree.setCurrentItem(root);
    doubleClick(tree, root);
    EXPECT_TRUE(starts.empty());

    QTreeWidgetItem* fax = childWithText(tree, 0, QStringLiteral("05.12.03 12:00 FAX-IMAGE"));
    ASSERT_NE(fax, nullptr);
    tree.expandItem(root); // the double-click on the root folded it
    tree.setCurrentItem(fax);
    doubleClick(tree, fax);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, QStringLiteral("xdg-open"));
    EXPECT_EQ(starts[0].arguments, QStringList{folder.file(QStringLiteral("FAX/FAX_2003_12_05_12_00.BMP"))});
}

TEST_F(Sheet, EnterOnTheTreeDoesNothing)
{
    auto sheet = open(WeatherSheed::List);
    QTreeWidget& tree = sheet->listPage().tree();
    tree.setCurrentItem(childWithText(tree, 0, QStringLiteral("05.12.03 12:00 FAX-IMAGE")));
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(starts.empty());
}

TEST_F(Sheet, ThreeFontPressesReturnToTheStartingSize)
{
    auto sheet = open(WeatherSheed::List);
    QTreeWidget& tree = sheet->listPage().tree();
    std::vector<int> sizes{tree.font().pixelSize()};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(&sheet->listPage().fontButton(), Qt::LeftButton);
        sizes.push_back(tree.font().pixelSize());
    }
    EXPECT_EQ(sizes, (std::vector<int>{12, 16, 20, 12}));
}

TEST_F(Sheet, FontSizeCarriesToOtherPagesAndResetsWithTheListPage)
{
    {
        auto sheet = open(WeatherSheed::NorthSea);
        QTest::mouseClick(&sheet->textPage(WeatherSheed::NorthSea).fontButton(), Qt::LeftButton);
        EXPECT_EQ(sheet->textPage(WeatherSheed::NorthSea).textEdit().font().pixelSize(), 16);
        sheet->tabs().setCurrentIndex(WeatherSheed::Baltic);
        EXPECT_EQ(sheet->textPage(WeatherSheed::Baltic).textEdit().font().pixelSize(), 16);
    }
    {
        auto sheet = open(WeatherSheed::Warnings); // the size lasts for the run
        EXPECT_EQ(sheet->textPage(WeatherSheed::Warnings).textEdit().font().pixelSize(), 16);
        sheet->tabs().setCurrentIndex(WeatherSheed::List);
        EXPECT_EQ(font.height(), -12);
    }
}

TEST_F(Sheet, TextPagesShowTheirBulletinsEachTimeTheyBecomeActive)
{
    auto sheet = open(WeatherSheed::NorthSea);
    WeatherTextPage& north = sheet->textPage(WeatherSheed::NorthSea);
    const QString northText = north.textEdit().toPlainText();
    EXPECT_TRUE(northText.contains(QStringLiteral("FILE: NORD_2003_12_05_12_00.RTF")));
    EXPECT_TRUE(northText.contains(QStringLiteral("DEUTSCHE BUCHT NW 5")));
    EXPECT_TRUE(northText.contains(QStringLiteral("SKAGERRAK W 6")));
    // Newest first: the noon bulletin before the six o'clock one.
    EXPECT_LT(northText.indexOf(QStringLiteral("DEUTSCHE BUCHT")), northText.indexOf(QStringLiteral("SKAGERRAK")));

    sheet->tabs().setCurrentIndex(WeatherSheed::Baltic);
    const QString baltic = sheet->textPage(WeatherSheed::Baltic).textEdit().toPlainText();
    EXPECT_TRUE(baltic.contains(QStringLiteral("SKAGERRAK W 6")));
    EXPECT_FALSE(baltic.contains(QStringLiteral("DEUTSCHE BUCHT")));

    sheet->tabs().setCurrentIndex(WeatherSheed::Warnings);
    EXPECT_TRUE(sheet->textPage(WeatherSheed::Warnings).textEdit().toPlainText().contains(QStringLiteral("SECURITE")));
    const int fills = north.fillCount();
    sheet->tabs().setCurrentIndex(WeatherSheed::NorthSea);
    EXPECT_EQ(north.fillCount(), fills + 1);
}

} // namespace
} // namespace kesmar
