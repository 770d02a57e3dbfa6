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
    , m_view(view)
    , m_context(context)
    , m_measurement(context.mile != 0)
    , m_launcher(context.programFolder, context.profile)
    , m_mouse(new MouseController(view, context.viewport, m_measurement, m_route))
    , m_popup(new ChartPopupMenu(context.commands, &view))
{
    setViewportChanged({});
    connect(m_mouse, &MouseController::contextMenuRequested, m_popup,
            [this](const QPoint& globalPos) { m_popup->popup(globalPos); });
    connect(m_mouse, &MouseController::measuringEnded, this, &ViewCommands::measuringChanged);
    bindCommands();
}

ViewCommands::~ViewCommands() = default;

void ViewCommands::setViewportChanged(std::function<void()> handler)
{
    if (!handler) {
        handler = [this] {
            m_context.catalogue.selectForViewport(m_context.viewport);
            m_view.update();
        };
    }
    m_mouse->setViewportChanged(std::move(handler));
}

void ViewCommands::bindCommands()
{
    CommandSet& commands = m_context.commands;
    commands.setCheckable(CommandId::Measure, true);
    commands.setCheckable(CommandId::NewRoute, true);
    commands.setCheckable(CommandId::AppendRoute, true);
    commands.bind(CommandId::Measure, [this] {
        m_measurement.toggleMeasuring();
        measuringChanged();
    });
    commands.bind(CommandId::NewRoute, [this] {
        const bool hadRoute = !m_route.empty();
        m_measurement.newRoute(m_route);
        measuringChanged();
        if (hadRoute && m_route.empty())
            m_view.update();
    });
    commands.bind(CommandId::AppendRoute, [this] {
        m_measurement.appendRoute(m_route);
        measuringChanged();
    });
    commands.bind(CommandId::WeatherTerminal,
                  [this] { m_launcher.launch(QString::fromLatin1(CompanionLauncher::kWeatherTerminal)); });
    commands.bind(CommandId::SynopViewer,
                  [this] { m_launcher.launchSynopViewer(); });
    commands.bind(CommandId::ShortHelp, [this] { m_launcher.openHelp(); });
    measuringChanged();
}

void ViewCommands::measuringChanged()
{
    CommandSet& commands = m_context.commands;
    commands.setChecked(CommandId::Measure, m_measurement.measuringChecked());
    commands.setChecked(CommandId::NewRoute, m_measurement.newRouteChecked());
    commands.setChecked(CommandId::AppendRoute, m_measurement.appendRouteChecked());
    m_mouse->refreshOverlay();
}

} // namespace kesmar
