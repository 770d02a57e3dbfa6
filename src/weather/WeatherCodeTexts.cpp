#include "weather/WeatherCodeTexts.h"

#include <array>

namespace kesmar {

namespace {

const std::array<const char*, 100> kPresentWeather = {
    "Bewölkungsentwicklung nicht beobachtet", "Bewölkung abnehmend", "Bewölkung unverändert",
    "Bewölkung zunehmend", "Sicht durch Rauch vermindert", "trockener Dunst",
    "Staub in der Luft, nicht vom Wind aufgewirbelt", "Staub oder Sand vom Wind aufgewirbelt",
    "Staub- oder Sandwirbel", "Staub- oder Sandsturm in Sicht oder in der letzten Stunde",
    "feuchter Dunst", "Bodennebel in Schwaden", "Bodennebel, zusammenhängend", "Wetterleuchten",
    "Niederschlag in Sicht, erreicht den Boden nicht", "Niederschlag in Sicht, fern der Station",
    "Niederschlag in Sicht, nahe der Station", "Gewitter ohne Niederschlag", "Böen",
    "Trichterwolke (Trombe)", "Sprühregen in der letzten Stunde", "Regen in der letzten Stunde",
    "Schnee in der letzten Stunde", "Schneeregen in der letzten Stunde",
    "gefrierender Regen in der letzten Stunde", "Regenschauer in der letzten Stunde",
    "Schneeschauer in der letzten Stunde", "Hagelschauer in der letzten Stunde",
    "Nebel in der letzten Stunde", "Gewitter in der letzten Stunde",
    "leichter oder mäßiger Sandsturm, abnehmend", "leichter oder mäßiger Sandsturm, unverändert",
    "leichter oder mäßiger Sandsturm, zunehmend", "schwerer Sandsturm, abnehmend",
    "schwerer Sandsturm, unverändert", "schwerer Sandsturm, zunehmend",
    "leichtes oder mäßiges Schneefegen", "starkes Schneefegen",
    "leichtes oder mäßiges Schneetreiben", "starkes Schneetreiben", "Nebel in der Ferne",
    "Nebel in Schwaden", "Nebel, Himmel erkennbar, dünner geworden",
    "Nebel, Himmel nicht erkennbar, dünner geworden", "Nebel, Himmel erkennbar, unverändert",
    "Nebel, Himmel nicht erkennbar, unverändert", "Nebel, Himmel erkennbar, dichter geworden",
    "Nebel, Himmel nicht erkennbar, dichter geworden", "Nebel mit Reifansatz, Himmel erkennbar",
    "Nebel mit Reifansatz, Himmel nicht erkennbar", "leichter Sprühregen mit Unterbrechungen",
    "leichter Sprühregen, anhaltend", "mäßiger Sprühregen mit Unterbrechungen",
    "mäßiger Sprühregen, anhaltend", "starker Sprühregen mit Unterbrechungen",
    "starker Sprühregen, anhaltend", "leichter gefrierender Sprühregen",
    "mäßiger oder starker gefrierender Sprühregen", "leichter Sprühregen mit Regen",
    "mäßiger oder starker Sprühregen mit Regen", "leichter Regen mit Unterbrechungen",
    "leichter Regen, anhaltend", "mäßiger Regen mit Unterbrechungen", "mäßiger Regen, anhaltend",
    "starker Regen mit Unterbrechungen", "starker Regen, anhaltend", "leichter gefrierender Regen",
    "mäßiger oder starker gefrierender Regen", "leichter Schneeregen",
    "mäßiger oder starker Schneeregen", "leichter Schneefall mit Unterbrechungen",
    "leichter Schneefall, anhaltend", "mäßiger Schneefall mit Unterbrechungen",
    "mäßiger Schneefall, anhaltend", "starker Schneefall mit Unterbrechungen",
    "starker Schneefall, anhaltend", "Eisnadeln", "Schneegriesel", "einzelne Schneesterne",
    "Eiskörner", "leichter Regenschauer", "mäßiger oder starker Regenschauer",
    "heftiger Regenschauer", "leichter Schneeregenschauer", "mäßiger oder starker Schneeregenschauer",
    "leichter Schneeschauer", "mäßiger oder starker Schneeschauer", "leichter Graupelschauer",
    "mäßiger oder starker Graupelschauer", "leichter Hagelschauer", "mäßiger oder starker Hagelschauer",
    "leichter Regen, Gewitter in der letzten Stunde", "mäßiger oder starker Regen, Gewitter in der letzten Stunde",
    "leichter Schnee oder Hagel, Gewitter in der letzten Stunde",
    "mäßiger oder starker Schnee oder Hagel, Gewitter in der letzten Stunde",
    "leichtes oder mäßiges Gewitter mit Regen oder Schnee", "leichtes oder mäßiges Gewitter mit Hagel",
    "schweres Gewitter mit Regen oder Schnee", "Gewitter mit Sandsturm", "schweres Gewitter mit Hagel",
};

QString digitTable(char figure, const std::array<const char*, 10>& texts, const char* missing)
{
    if (figure >= '0' && figure <= '9') return QString::fromUtf8(texts[size_t(figure - '0')]);
    if (figure == '/') return QString::fromUtf8(missing);
    return {};
}

QString numberTable(int figure, const std::array<const char*, 10>& texts)
{
    return figure >= 0 && figure <= 9 ? QString::fromUtf8(texts[size_t(figure)]) : QString();
}

QString kilometres(double km)
{
    return QString::number(km, 'f', km < 1 ? 2 : km < 10 ? 1 : 0).replace(QLatin1Char('.'), QLatin1Char(','))
           + QStringLiteral(" km");
}

} // namespace

QString WeatherCodeTexts::presentWeather(int ww)
{
    return ww >= 0 && ww <= 99 ? QString::fromUtf8(kPresentWeather[size_t(ww)]) : QString();
}

QString WeatherCodeTexts::lowCloud(char cl)
{
    return digitTable(cl, {"keine tiefen Wolken", "Cumulus humilis oder fractus", "Cumulus mediocris oder congestus",
                           "Cumulonimbus calvus", "Stratocumulus aus Cumulus", "Stratocumulus",
                           "Stratus nebulosus oder fractus", "Stratus oder Cumulus fractus (Schlechtwetter)",
                           "Cumulus und Stratocumulus in verschiedenen Höhen", "Cumulonimbus capillatus"},
                      "tiefe Wolken nicht erkennbar");
}

QString WeatherCodeTexts::middleCloud(char cm)
{
    return digitTable(cm, {"keine mittelhohen Wolken", "Altostratus translucidus", "Altostratus opacus oder Nimbostratus",
                           "Altocumulus translucidus, eine Schicht", "Altocumulus translucidus in Feldern, veränderlich",
                           "Altocumulus in Bändern, zunehmend", "Altocumulus aus Cumulus",
                           "Altocumulus mehrschichtig oder mit Altostratus", "Altocumulus castellanus oder floccus",
                           "Altocumulus bei chaotischem Himmel"},
                      "mittelhohe Wolken nicht erkennbar");
}

QString WeatherCodeTexts::highCloud(char ch)
{
    return digitTable(ch, {"keine hohen Wolken", "Cirrus fibratus", "Cirrus spissatus", "Cirrus spissatus aus Cumulonimbus",
                           "Cirrus uncinus, zunehmend", "Cirrus und Cirrostratus, zunehmend, unter 45°",
                           "Cirrus und Cirrostratus, zunehmend, über 45°", "Cirrostratus, ganzer Himmel",
                           "Cirrostratus, nicht zunehmend", "Cirrocumulus"},
                      "hohe Wolken nicht erkennbar");
}

QString WeatherCodeTexts::tendency(int a)
{
    return numberTable(a, {"steigend, dann fallend", "steigend, dann gleichbleibend", "steigend",
                           "fallend oder gleichbleibend, dann steigend", "gleichbleibend", "fallend, dann steigend",
                           "fallend, dann gleichbleibend", "fallend", "gleichbleibend oder steigend, dann fallend"});
}

QString WeatherCodeTexts::visibility(int vv)
{
    if (vv == 0) return QStringLiteral("unter 0,1 km");
    if (vv >= 1 && vv <= 50) return kilometres(vv / 10.0);
    if (vv >= 56 && vv <= 80) return kilometres(vv - 50);
    if (vv >= 81 && vv <= 88) return kilometres((vv - 80) * 5 + 30);
    if (vv == 89) return QStringLiteral("über 70 km");
    if (vv == 90) return QStringLiteral("unter 0,05 km");
    static const double kNear[] = {0.05, 0.2, 0.5, 1, 2, 4, 10, 20};
    if (vv >= 91 && vv <= 98) return kilometres(kNear[vv - 91]);
    if (vv == 99) return QStringLiteral("50 km und mehr");
    return {};
}

QString WeatherCodeTexts::cloudBase(char h)
{
    return digitTable(h, {"0 bis 50 m", "50 bis 100 m", "100 bis 200 m", "200 bis 300 m", "300 bis 600 m",
                          "600 bis 1000 m", "1000 bis 1500 m", "1500 bis 2000 m", "2000 bis 2500 m",
                          "2500 m oder mehr, oder wolkenlos"},
                      "unbekannt");
}

QString WeatherCodeTexts::cloudCover(char n)
{
    if (n >= '0' && n <= '8') return QStringLiteral("%1/8").arg(QLatin1Char(n));
    if (n == '9') return QStringLiteral("Himmel nicht erkennbar");
    if (n == '/') return QStringLiteral("nicht beobachtet");
    return {};
}

QString WeatherCodeTexts::cloudGenus(int c)
{
    return numberTable(c, {"Cirrus", "Cirrocumulus", "Cirrostratus", "Altocumulus", "Altostratus", "Nimbostratus",
                           "Stratocumulus", "Stratus", "Cumulus", "Cumulonimbus"});
}

QString WeatherCodeTexts::layerHeight(int hs)
{
    if (hs >= 0 && hs <= 50) return QStringLiteral("%1 m").arg(hs * 30);
    if (hs >= 56 && hs <= 80) return QStringLiteral("%1 m").arg((hs - 50) * 300);
    if (hs >= 81 && hs <= 88) return QStringLiteral("%1 m").arg((hs - 80) * 1500 + 9000);
    if (hs == 89) return QStringLiteral("über 21000 m");
    if (hs >= 90 && hs <= 99) return QStringLiteral("Höhenstufe %1 (Code 1677)").arg(hs);
    return {};
}

QString WeatherCodeTexts::precipitation(int rrr)
{
    if (rrr >= 1 && rrr <= 988) return QStringLiteral("%1 mm").arg(rrr);
    if (rrr == 0) return QStringLiteral("0 mm");
    if (rrr == 989) return QStringLiteral("989 mm oder mehr");
    if (rrr == 990) return QStringLiteral("Spuren");
    if (rrr >= 991 && rrr <= 999) return QStringLiteral("0,%1 mm").arg(rrr - 990);
    return {};
}

QString WeatherCodeTexts::precipitationPeriod(int tr)
{
    static const int kHours[] = {0, 6, 12, 18, 24, 1, 2, 3, 9, 15};
    if (tr == 0) return QStringLiteral("im Zeitraum des Hauptterminsabstands");
    if (tr >= 1 && tr <= 9) return QStringLiteral("in %1 Std.").arg(kHours[tr]);
    return {};
}

QString WeatherCodeTexts::groundState(int e)
{
    return numberTable(e, {"trocken", "feucht", "nass", "überflutet", "gefroren", "Glatteis",
                           "loser trockener Staub oder Sand, nicht ganz bedeckt",
                           "dünne Schicht Staub oder Sand, ganz bedeckt",
                           "mäßige bis dicke Schicht Staub oder Sand", "extrem trocken mit Rissen"});
}

QString WeatherCodeTexts::snowGroundState(int e)
{
    return numberTable(e, {"überwiegend Eis", "fester oder nasser Schnee, weniger als halb bedeckt",
                           "fester oder nasser Schnee, mindestens halb bedeckt",
                           "fester oder nasser Schnee, ganz bedeckt, ungleichmäßig",
                           "fester oder nasser Schnee, ganz bedeckt, gleichmäßig",
                           "loser trockener Schnee, weniger als halb bedeckt",
                           "loser trockener Schnee, mindestens halb bedeckt",
                           "loser trockener Schnee, ganz bedeckt, ungleichmäßig",
                           "loser trockener Schnee, ganz bedeckt, gleichmäßig",
                           "Schnee ganz bedeckt, tiefe Verwehungen"});
}

QString WeatherCodeTexts::snowDepth(int sss)
{
    if (sss >= 1 && sss <= 996) return QStringLiteral("%1 cm").arg(sss);
    if (sss == 997) return QStringLiteral("unter 0,5 cm");
    if (sss == 998) return QStringLiteral("Schneereste");
    if (sss == 999) return QStringLiteral("nicht messbar");
    return {};
}

QString WeatherCodeTexts::shipDirection(int ds)
{
    return numberTable(ds, {"stationär", "Nordost", "Ost", "Südost", "Süd", "Südwest", "West", "Nordwest", "Nord",
                            "unbekannt"});
}

QString WeatherCodeTexts::shipSpeed(int vs)
{
    if (vs == 0) return QStringLiteral("0 kn");
    if (vs >= 1 && vs <= 8) return QStringLiteral("%1 bis %2 kn").arg(vs * 5 - 4).arg(vs * 5);
    if (vs == 9) return QStringLiteral("über 40 kn");
    return {};
}

} // namespace kesmar
