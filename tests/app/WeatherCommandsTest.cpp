#include "app/WeatherCommands.h"

#include "core/IniFile.h"
#include "view/CommandSet.h"
#include "weather/ui/WeatherSheed.h"

#include "support/QtTestApplication.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

// Runs `check` on the sheet once it is shown modally, then closes it.
void whenSheetShows(std::function<void(WeatherSheed&)> check)
{
    QTimer::singleShot(0, [check] {
        auto* sheet = qobject_cast<WeatherSheed*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        check(*sheet);
        sheet->reject();
    });
}

TEST(WeatherCommands, SheetCommandsOpenTheirPages)
{
    test::qtTestApplication();
    QTemporaryDir folder;
    IniFile profile;
    QWidget window;
    CommandSet commands;
    WeatherCommands weather(commands, window, folder.path(), profile);

    const struct {
        CommandId id;
        int page;
    } rows[] = {
        {CommandId::WeatherDataList, 0}, {CommandId::WeatherList, 0},     {CommandId::WeatherNorthSea, 1},
        {CommandId::WeatherBaltic, 2},   {CommandId::WeatherEurope1, 3},  {CommandId::WeatherEurope2, 4},
        {CommandId::WeatherMediterranean, 5}, {CommandId::WeatherNavtex, 6}, {CommandId::WeatherWarnings, 7},
    };
    for (const auto& row : rows) {
        int shownPage = -1;
        whenSheetShows([&](WeatherSheed& sheet) { shownPage = sheet.tabs().currentIndex(); });
        QDir::setCurrent(QDir::rootPath());
        ASSERT_TRUE(commands.trigger(row.id)) << toInt(row.id);
        EXPECT_EQ(shownPage, row.page) << toInt(row.id);
        EXPECT_EQ(QDir::current(), QDir(folder.path())) << toInt(row.id);
    }
    EXPECT_TRUE(commands.isBound(CommandId::WeatherMovie));
}

} // namespace
} // namespace kesmar
