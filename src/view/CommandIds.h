#pragma once

namespace kesmar {

// Every command of the program: menu items, toolbar buttons, accelerators.
// The numbers are the program's fixed command ids; pan and zoom ids double as
// Viewport::ZoomPan codes where the two agree (40040 ... 40046, 32788 ...).
enum class CommandId : int {
    // Framework commands.
    FileNew = 57600,
    FileOpen = 57601,
    FilePrintSetup = 57606,      // "Drucker&einrichtung..."
    FilePrint = 57607,           // "&Drucken...\tStrg+P"
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,    // "Sei&tenansicht"
    FileMruFile1 = 57616,        // "Letzte Datei", always greyed
    AppAbout = 57664,            // "Inf&o über Kesmar..."
    AppExit = 57665,             // "&Beenden"
    ViewToolbar = 59392,         // "&Dateien Symbolleiste"
    ViewStatusBar = 59393,       // "S&tatusleiste"

    // Frame.
    NmeaPanel = 32783,           // "&NMEA Panel " / "Instrumente"

    // Measuring and routes.
    Measure = 32784,
    NewRoute = 32837,
    AppendRoute = 32840,
    MeasureMenu = 40037,         // "&Messen" in the main menu, no effect
    Navigation = 40042,          // greyed "Navigation", no effect

    // Zoom and pan.
    WholeWorld = 32788,
    ZoomInStep = 32791,          // Ctrl + pad plus, factor 1.2
    ZoomOutStep = 32792,         // Ctrl + pad minus
    PanLeft = 40038,
    PanRight = 40039,
    PanLeftHalf = 40040,
    PanRightHalf = 40041,
    PanUp = 40043,
    PanDown = 40044,
    PanUpHalf = 40045,
    PanDownHalf = 40046,
    ZoomIn = 40047,
    ZoomOut = 40048,

    // Own vessel, track and routes in files.
    FollowVessel = 32860,        // "Schiff verfolgen"
    ClearTrack = 32861,          // "Track löschen"
    SaveRoute = 32862,           // "Route speichern…"
    SaveTrack = 32863,           // "Track speichern…"
    LoadRoute = 32864,           // "Route laden…"

    // Point information.
    PointInfo = 32836,

    // Mini windows.
    MiniWindow1 = 32803,
    MiniWindow2 = 32804,
    MiniWindow3 = 32805,
    MiniWindow4 = 32806,
    ArrangeMiniWindows = 32807,

    // Settings sheet "Detail Propertys".
    DetailSettings = 32789,      // also the Tab key
    ChartColours = 32818,
    ChartSelection = 32819,
    DetailSettingsToolbar = 40027,

    // Companion programs and help.
    WeatherTerminal = 32808,     // qrxmenu.exe
    SynopViewer = 32811,         // qrxsynv.exe
    ShortHelp = 32843,

    // Weather.
    WeatherDataList = 32814,     // toolbar, list page
    WeatherList = 32824,         // popup "Daten-Liste", list page
    WeatherNorthSea = 32825,
    WeatherBaltic = 32826,
    WeatherMediterranean = 32827,
    WeatherEurope1 = 32828,
    WeatherNavtex = 32829,
    WeatherWarnings = 32830,
    WeatherEurope2 = 32831,
    SynopDownload = 32844,
    SynopConvert = 32845,
    WeatherMovie = 32847,
};

constexpr int toInt(CommandId id) { return static_cast<int>(id); }

} // namespace kesmar
