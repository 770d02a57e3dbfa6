#include "app/FrameMenus.h"

#include "view/CommandIds.h"
#include "view/CommandSet.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <initializer_list>

namespace kesmar {

namespace {

using C = CommandId;
constexpr C kSeparator = static_cast<C>(0);

QString menuTitle(const char* text)
{
    return QCoreApplication::translate("CMainFrame", text);
}

void addEntries(QMenu& menu, CommandSet& commands, std::initializer_list<C> ids)
{
    for (C id : ids) {
        if (id == kSeparator)
            menu.addSeparator();
        else
            menu.addAction(commands.mainMenuEntry(id, &menu));
    }
}

} // namespace

void buildMainMenu(QMenuBar& menuBar, CommandSet& commands)
{
    QMenu* file = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&LOG-Data")));
    addEntries(*file, commands,
               {C::FilePrint, C::FilePrintPreview, C::FilePrintSetup, kSeparator, C::FileMruFile1, kSeparator,
                C::AppExit});

    QMenu* view = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&Ansicht")));
    view->addAction(commands.popupMenuEntry(C::ViewToolbar, view));
    view->addAction(commands.popupMenuEntry(C::ViewStatusBar, view));
    addEntries(*view, commands,
               {C::NmeaPanel, kSeparator, C::PanLeft, C::PanRight, C::PanUp, C::PanDown, kSeparator, C::ZoomIn,
                C::ZoomOut, C::WholeWorld});

    QMenu* navigation = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&Navigation")));
    addEntries(*navigation, commands,
               {C::FollowVessel, C::ClearTrack, kSeparator, C::LoadRoute, C::SaveRoute, C::SaveTrack});

    QMenu* settings = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&Einstellungen")));
    QMenu* details = settings->addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "Details")));
    addEntries(*details, commands, {C::ChartColours, C::ChartSelection, C::DetailSettings});

    QMenu* weather = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&Wetter")));
    addEntries(*weather, commands, {C::WeatherTerminal, C::SynopViewer});

    QMenu* help = menuBar.addMenu(menuTitle(QT_TRANSLATE_NOOP("CMainFrame", "&?")));
    addEntries(*help, commands, {C::ShortHelp, kSeparator, C::AppAbout});
}

void buildToolbar(QToolBar& toolBar, CommandSet& commands)
{
    const C buttons[] = {
        C::AppAbout,        kSeparator,       C::ArrangeMiniWindows, C::MiniWindow1,  C::MiniWindow2,
        C::MiniWindow3,     C::MiniWindow4,   kSeparator,            C::DetailSettingsToolbar,
        C::PanDown,         C::PanUp,         C::ZoomIn,             C::WholeWorld,   C::ZoomOut,
        C::PanLeft,         C::PanRight,      kSeparator,            C::NmeaPanel,    C::FollowVessel, C::Measure,
        C::NewRoute,        C::AppendRoute,   kSeparator,            C::SynopDownload, C::SynopConvert,
        C::SynopViewer,     kSeparator,       C::WeatherDataList,    C::WeatherTerminal, C::WeatherMovie,
    };
    for (C id : buttons) {
        if (id == kSeparator)
            toolBar.addSeparator();
        else
            toolBar.addAction(commands.action(id));
    }
}

} // namespace kesmar
