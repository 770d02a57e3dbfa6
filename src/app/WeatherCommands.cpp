#include "app/WeatherCommands.h"

#include "view/CommandSet.h"
#include "weather/ui/WeatherMovieDlg.h"
#include "weather/ui/WeatherSheed.h"

#include <QWidget>

namespace kesmar {

WeatherCommands::WeatherCommands(CommandSet& commands, QWidget& window, QString programFolder, IniFile& profile)
    : QObject(&window)
    , window_(window)
    , folder_(std::move(programFolder))
    , profile_(profile)
{
    bindSheet(commands);
    commands.bind(CommandId::WeatherMovie,
                  [this] { WeatherMovieDlg::run(folder_, profile_, movieFile_, &window_); });
}

void WeatherCommands::bindSheet(CommandSet& commands)
{
    const struct {
        CommandId id;
        WeatherSheed::Page page;
    } pages[] = {
        {CommandId::WeatherDataList, WeatherSheed::List},
        {CommandId::WeatherList, WeatherSheed::List},
        {CommandId::WeatherNorthSea, WeatherSheed::NorthSea},
        {CommandId::WeatherBaltic, WeatherSheed::Baltic},
        {CommandId::WeatherEurope1, WeatherSheed::Europe1},
        {CommandId::WeatherEurope2, WeatherSheed::Europe2},
        {CommandId::WeatherMediterranean, WeatherSheed::Mediterranean},
        {CommandId::WeatherNavtex, WeatherSheed::Navtex},
        {CommandId::WeatherWarnings, WeatherSheed::Warnings},
    };
    for (const auto& row : pages) {
        const WeatherSheed::Page page = row.page;
        commands.bind(row.id, [this, page] { WeatherSheed::run(folder_, &profile_, font_, page, &window_); });
    }
}

} // namespace kesmar
