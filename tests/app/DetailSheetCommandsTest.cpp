#include "app/DetailSheetCommands.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartHeader.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"
#include "settings/MapDetailsPg.h"
#include "settings/MapRequesterPg.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"

#include "support/ChartViewObjects.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

struct SheetCommandsFixture : test::ChartViewObjects {
    CKesmarView view{context()};
    DetailSheetCommands sheetCommands{commands, view};

    SheetCommandsFixture()
    {
        QDir(folder).mkpath(QStringLiteral("CHARTDATA"));
        for (const char* name : {"A", "B"}) {
            ChartHeader h;
            h.setBox({-3000000, 0, -2940000, name[0] == 'A' ? 240000 : 120000});
            (void)h.writeFile(folder + QStringLiteral("/CHARTDATA/%1.HDR").arg(QLatin1String(name)));
        }
        view.resize(800, 600);
        view.show();
        view.initialUpdate();
        catalogue.clear();
        EXPECT_FALSE(catalogue.addChart(folder, QStringLiteral("A")));
        EXPECT_FALSE(catalogue.addChart(folder, QStringLiteral("B")));
    }
    QString listPath() const { return ChartCatalogue::listPath(folder); }
};

// Runs `act` on the sheet once it is shown modally. The fixture has no
// WORLDMAP files: the boxes reporting them are closed first. On a loaded
// machine the timer can fire before the sheet is up: look again later.
void whenSheetShows(std::function<void(CDetailSheet&)> act, int attemptsLeft = 1000)
{
    QTimer::singleShot(20, [act, attemptsLeft] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                box->done(0);
                whenSheetShows(act, attemptsLeft - 1);
                return;
            }
        }
        auto* sheet = qobject_cast<CDetailSheet*>(QApplication::activeModalWidget());
        if (!sheet) {
            if (attemptsLeft > 0)
                whenSheetShows(act, attemptsLeft - 1);
            else
                ADD_FAILURE() << "the settings sheet was never shown";
            return;
        }
        act(*sheet);
    });
}

TEST(DetailSheetCommands, CommandsAndTabOpenTheirPages)
{
    SheetCommandsFixture f;
    const struct {
        CommandId id;
        int page;
    } rows[] = {
        {CommandId::DetailSettings, 0}, {CommandId::DetailSettingsToolbar, 0},
        {CommandId::ChartSelection, 1}, {CommandId::ChartColours, 2},
    };
    for (const auto& row : rows) {
        int shown = -1;
        whenSheetShows([&](CDetailSheet& s) { shown = s.tabs().currentIndex(); s.reject(); });
        ASSERT_TRUE(f.commands.trigger(row.id)) << toInt(row.id);
        EXPECT_EQ(shown, row.page) << toInt(row.id);
    }
    int shown = -1;
    whenSheetShows([&](CDetailSheet& s) { shown = s.tabs().currentIndex(); s.reject(); });
    QTest::keyClick(&f.view, Qt::Key_Tab);
    EXPECT_EQ(shown, 0);
}

TEST(DetailSheetCommands, CancelChangesNothingOkAppliesAndWritesTheList)
{
    SheetCommandsFixture f;
    const uint32_t flags = f.config.detailFlags;
    for (const bool ok : {false, true}) {
        whenSheetShows([ok](CDetailSheet& s) {
            s.chartsPage().moveChart(QStringLiteral("A"), true);
            s.tabs().setCurrentIndex(CDetailSheet::DetailsPage);
            QTest::mouseClick(s.detailsPage().findChild<QWidget*>(QStringLiteral("1052")), Qt::LeftButton);
            ok ? s.accept() : s.reject();
        });
        ASSERT_TRUE(f.commands.trigger(CommandId::ChartSelection));
        if (!ok) {
            EXPECT_EQ(f.catalogue.count(), 2);
            EXPECT_EQ(f.config.detailFlags, flags);
            EXPECT_FALSE(QFileInfo::exists(f.listPath()));
        }
    }
    ASSERT_EQ(f.catalogue.count(), 1);
    EXPECT_EQ(f.catalogue.entry(0).name, QStringLiteral("B"));
    EXPECT_EQ(f.config.detailFlags, flags & ~0x0001u);
    EXPECT_EQ(QFileInfo(f.listPath()).size(), 162);
    // Rescaled for the view: 2 degrees over four 800-pixel widths.
    EXPECT_DOUBLE_EQ(f.catalogue.entry(0).scale, 120.0 / 800 / 4);
}

TEST(DetailSheetCommands, OkRestylesTheViewAndKeepsADamagedList)
{
    SheetCommandsFixture f;
    {
        QFile damaged(f.listPath());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(163, 'x'));
    }
    DetailSettings result = DetailSettings::from(f.config, f.catalogue);
    result.symbolSize = 0.050;
    result.colours[4] = 0x000102;
    f.sheetCommands.apply(result, true);
    EXPECT_DOUBLE_EQ(f.config.symbolSize, 0.050);
    EXPECT_DOUBLE_EQ(f.viewport.style().symbolSize, 0.050);
    EXPECT_EQ(f.config.screenColours[4], 0x000102u);
    EXPECT_EQ(QFileInfo(f.listPath()).size(), 2 * 162);
    EXPECT_EQ(QFileInfo(f.listPath() + QStringLiteral(".bak")).size(), 163);
}

} // namespace
} // namespace kesmar
