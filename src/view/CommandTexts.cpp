#include "view/CommandTexts.h"

#include <QtGlobal>

namespace kesmar {

namespace {

#define T(text) QT_TRANSLATE_NOOP("CommandSet", text)

// The program's own texts, letter for letter: odd spellings and blanks are
// part of them and are not to be corrected.
const CommandText kTexts[] = {
    {CommandId::FilePrint, T("&Drucken...\tStrg+P"), T("&Drucken...\tStrg+P"),
     T("Druckt das aktive Bild der Karte"), nullptr},
    {CommandId::FilePrintDirect, nullptr, nullptr, T("Druckt das aktive Bild der Karte"), nullptr},
    {CommandId::FilePrintPreview, T("Sei&tenansicht"), T("Sei&tenansicht"),
     T("Zeigt ganze Druck-Seiten an."), nullptr},
    {CommandId::FilePrintSetup, T("Drucker&einrichtung..."), T("Drucker&einrichtung..."), nullptr, nullptr},
    {CommandId::FileMruFile1, T("Letzte Datei"), nullptr, nullptr, nullptr},
    {CommandId::AppExit, T("&Beenden"), nullptr, nullptr, nullptr},
    {CommandId::AppAbout, T("Inf&o über Kesmar..."), nullptr, nullptr, nullptr},
    {CommandId::ViewToolbar, nullptr, T("&Dateien Symbolleiste"), nullptr, nullptr},
    {CommandId::ViewStatusBar, nullptr, T("S&tatusleiste"), nullptr, nullptr},
    {CommandId::NmeaPanel, T("&NMEA Panel "), T("Instrumente"),
     T("NMEA-Instrumenten-Leiste  ein oder ausschalten"), T("NMEA-Instrumenten-Leiste  ein oder aus.")},
    {CommandId::Measure, nullptr, T("Messen"),
     T("Vermessung durch klicken mit der Maus auf dem Schirm - Line lösen mit der rechte Maustaste "), nullptr},
    {CommandId::MeasureMenu, T("&Messen"), nullptr, nullptr, nullptr},
    {CommandId::Navigation, T("Navigation"), nullptr, nullptr, nullptr},
    {CommandId::NewRoute, nullptr, T("Neue Route"), T("Neue Routen Hilflinie zeichnen."), nullptr},
    {CommandId::AppendRoute, nullptr, T("Route anhängen"),
     T("Weitere Routen Hilflinien an bestehende anhängen."), nullptr},
    {CommandId::PanLeft, T("Karte links mehr anzeigen (Cursor links)"),
     T("Karte links mehr anzeigen (Cursor links)"), T("Karte nach rechts, links mehr anzeigen"), nullptr},
    {CommandId::PanRight, T("Karte rechts mehr anzeigen (Cursor rechts)"),
     T("Karte rechts mehr anzeigen (Cursor rechts)"), T("Karte nach links, rechts mehr anzeigen"), nullptr},
    {CommandId::PanUp, T("Karte oben mehr anzeigen (Cursor hoch)"), T("Karte oben mehr anzeigen (Cursor hoch)"),
     T("Karte etwas runter, oben mehr anzeigen"), nullptr},
    {CommandId::PanDown, T("Karte unten mehr anzeigen (Cursor runten)"),
     T("Karte unten mehr anzeigen (Cursor runter)"), T("Karte etwas höher, unten mehr anzeigen"), nullptr},
    {CommandId::ZoomIn, T("Zoom in (+)  - vergrößern x 2"), T("Zoom in (+)  - vergrößern x 2"),
     T("Karte auf das doppelte vergrößeren x 2"), nullptr},
    {CommandId::ZoomOut, T("Zoom out (-)  verkleinern / 2"), T("Zoom out (-)  verkleinern / 2"),
     T("Karte um die Hälfte verkleiner /2"), nullptr},
    {CommandId::WholeWorld, T("Die volle Welt anzeigen (Pos 1 / HOME)"), T("Die volle Welt anzeigen (Pos 1 / HOME)"),
     T("Karte maximale größe anzeigen  - die ganze Welt"), nullptr},
    {CommandId::FollowVessel, T("Schiff verfolgen"), T("Schiff verfolgen"),
     T("Die Karte folgt dem Schiff; Verschieben der Karte schaltet es aus."), nullptr},
    {CommandId::ClearTrack, T("Track löschen"), T("Track löschen"), T("Den gefahrenen Track löschen."), nullptr},
    {CommandId::SaveRoute, T("Route speichern…"), nullptr, T("Die Routen Hilfslinie als GPX-Datei speichern."),
     nullptr},
    {CommandId::SaveTrack, T("Track speichern…"), nullptr, T("Den gefahrenen Track als GPX-Datei speichern."),
     nullptr},
    {CommandId::LoadRoute, T("Route laden…"), nullptr,
     T("Eine Route oder einen Track aus einer GPX-Datei als Routen Hilfslinie laden."), nullptr},
    {CommandId::PointInfo, nullptr, T("PointInfo"), T("Bojen-Information von diesen Punkt anzeigen."), nullptr},
    {CommandId::ArrangeMiniWindows, nullptr, T("Arangieren"),
     T("MiniWindow im Fenster arangieren (rechts, links, oben oder unten)"), nullptr},
    {CommandId::MiniWindow1, nullptr, T("1.Fenster ein/aus"),
     T("1. MiniWindow on / off (init = zoom mit rechter Maustauste)"), nullptr},
    {CommandId::MiniWindow2, nullptr, T("2.Fenster ein/aus"),
     T("2. MiniWindow on / off (init = zoom mit rechter Maustauste)"), nullptr},
    {CommandId::MiniWindow3, nullptr, T("3.Fenster ein/aus"),
     T("3. MiniWindow on / off (init = zoom mit rechter Maustauste)"), nullptr},
    {CommandId::MiniWindow4, nullptr, T("4.Fenster ein/aus"),
     T("4. MiniWindow on / off (init = zoom mit rechter Maustauste)"), nullptr},
    {CommandId::WeatherList, nullptr, T("Daten-Liste"), T("Alle Wettermeldungen als Liste anzeigen."), nullptr},
    {CommandId::WeatherDataList, nullptr, nullptr, T("Wetter Daten lesen"), nullptr},
    {CommandId::WeatherNorthSea, nullptr, T("Nordsee"), T("Wettermeldungen aus der Nordsee anzeigen."), nullptr},
    {CommandId::WeatherBaltic, nullptr, T("Ostee"), T("Wettermeldungen aus der Ostsee anzeigen."), nullptr},
    {CommandId::WeatherEurope1, nullptr, T("Europa (1)"),
     T("Wettermeldungen aus Europa anzeigen 1.Teil (weslich). "), nullptr},
    {CommandId::WeatherEurope2, nullptr, T("Europa (2)"),
     T("Wettermeldungen aus Europa anzeigen 2.Teil (Südlich). "), nullptr},
    {CommandId::WeatherMediterranean, nullptr, T("Mittelmeer"), T("Wettermeldungen vom Mittelmeer anzeigen. "), nullptr},
    {CommandId::WeatherNavtex, nullptr, T("Navtex"), T("NAVTEX-Meldungen anzeigen."), nullptr},
    {CommandId::WeatherWarnings, nullptr, T("Warnungen"), T("Wetter und Navigations Warnungen anzeigen."), nullptr},
    {CommandId::ChartSelection, T("Karten hinzufügen"), T("Karten hinzufügen"), T("Detailiertere Karten einschalten."),
     nullptr},
    {CommandId::ChartColours, T("Karten Farben"), T("Karten Farben"), T("Karten und Printer-Farben einstellen"),
     nullptr},
    {CommandId::DetailSettings, T("Bojen und Flächen Details"), T("Bojen und Flächen Details"),
     T("Bojen und Linien-Atribute ändern."), nullptr},
    {CommandId::DetailSettingsToolbar, nullptr, nullptr, T("Karten Details und Einstellungen"), nullptr},
    {CommandId::WeatherTerminal, T("Helmdeck '98"), T("Helmdeck'98 "), T("Wetter-Programm Helmdeck'98 starten"),
     nullptr},
    {CommandId::SynopViewer, T("Synop-Wetter-Karte "), T("Synop Weltkugel"),
     T("Synop-Daten-View   Wetter-Programm starten."), nullptr},
    {CommandId::ShortHelp, T("&Kurze Hilfe"), nullptr, T("Kurzer Hilftext"), nullptr},
    {CommandId::SynopDownload, nullptr, nullptr, T("SYNOP-Daten aus dem Internet holen"), nullptr},
    {CommandId::SynopConvert, nullptr, nullptr, T("WMO-Internet-Daten konvertieren."), nullptr},
    {CommandId::WeatherMovie, nullptr, nullptr, T("Weather Animation ansehen/nWeather Animation ansehen"), nullptr},
};

#undef T

} // namespace

const CommandText* commandText(CommandId id)
{
    for (const CommandText& row : kTexts) {
        if (row.id == id)
            return &row;
    }
    return nullptr;
}

} // namespace kesmar
