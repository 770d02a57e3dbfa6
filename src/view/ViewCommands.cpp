#include "view/ViewCommands.h"

#include "chartdata/ChartCatalogue.h"
#include "core/Viewport.h"
#include "view/ChartPopupMenu.h"
#include "view/CommandSet.h"
#include "view/MouseController.h"

#include <QWidget>

namespace kesmar {

ViewCommands::ViewCommands(QWidget& view, const ChartViewContext& context)
    : QObject(&view)
    , view_(view)
    , context_(context)
    , measurement_(context.mile != 0)
    , launcher_(context.programFolder, context.profile)
    , mouse_(new MouseController(view, context.viewport, measurement_, route_))
    , popup_(new ChartPopupMenu(context.commands, &view))
{
    setViewportChanged({});
    connect(mouse_, &MouseController::contextMenuRequested, popup_,
            [this](const QPoint& globalPos) { popup_->popup(globalPos); });
    connect(mouse_, &MouseController::measuringEnded, this, &ViewCommands::measuringChanged);
    bindCommands();
}

ViewCommands::~ViewCommands() = default;

void ViewCommands::setViewportChanged(std::function<void()> handler)
{
    if (!handler) {
        handler = [this] {
            context_.catalogue.selectForViewport(context_.viewport);
            view_.update();
        };
    }
    mouse_->setViewportChanged(std::move(handler));
}

void ViewCommands::bindCommands()
{
    CommandSet& commands = context_.commands;
    commands.setCheckable(CommandId::Measure, true);
    commands.setCheckable(CommandId::NewRoute, true);
    commands.setCheckable(CommandId::AppendRoute, true);
    commands.bind(CommandId::Measure, [this] {
        measurement_.toggleMeasuring();
        measuringChanged();
    });
    commands.bind(CommandId::NewRoute, [this] {
        const bool hadRoute = !route_.empty();
        measurement_.newRoute(route_);
        measuringChanged();
        if (hadRoute && route_.empty())
            view_.update();
    });
    commands.bind(CommandId::AppendRoute, [this] {
        measurement_.appendRoute(route_);
        measuringChanged();
    });
    commands.bind(CommandId::WeatherTerminal,
                  [this] { launcher_.launch(QString::fromLatin1(CompanionLauncher::kWeatherTerminal)); });
    commands.bind(CommandId::SynopViewer,
                  [this] { launcher_.launchSynopViewer(); });
    commands.bind(CommandId::ShortHelp, [this] { launcher_.openHelp(); });
    measuringChanged();
}

void ViewCommands::measuringChanged()
{
    CommandSet& commands = context_.commands;
    commands.setChecked(CommandId::Measure, measurement_.measuringChecked());
    commands.setChecked(CommandId::NewRoute, measurement_.newRouteChecked());
    commands.setChecked(CommandId::AppendRoute, measurement_.appendRouteChecked());
    mouse_->refreshOverlay();
}

} // namespace kesmar
