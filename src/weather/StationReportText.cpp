#include "weather/StationReportText.h"

#include "weather/StationObservation.h"
#include "weather/WeatherCodeTexts.h"
#include "weather/WindBarb.h"

#include <QDateTime>

#include <cmath>

namespace kesmar {

namespace {

using Lines = QStringList;

QString text(const std::array<char, SynopRecord::kTextSize>& field)
{
    const std::string_view v = SynopRecord::text(field);
    return QString::fromLatin1(v.data(), int(v.size())).trimmed();
}

QString celsius(int tenths)
{
    return StationReportText::decimal(tenths / 10.0, 1) + QStringLiteral(" °C");
}

QString hPa(int tenths)
{
    return StationReportText::decimal(tenths / 10.0, 1) + QStringLiteral(" hPa");
}

void headerLines(const SynopRecord& r, Lines& out)
{
    const StationEntry& s = r.stationEntry;
    const QString name = QString::fromLatin1(s.nameView().data(), int(s.nameLength)).trimmed();
    if (r.has(SynopFlag::ShipCallSign) || ((r.sectionKind & 2) != 0 && s.number == 0))
        out << QStringLiteral("Schiff %1").arg(name.isEmpty() ? QStringLiteral("%1%2").arg(int(r.platformRegion))
                                                                    .arg(int(r.platformNumber), 3, 10, QLatin1Char('0'))
                                                              : name);
    else
        out << QStringLiteral("Station %1 %2").arg(s.number, 5, 10, QLatin1Char('0')).arg(name);
    const double lat = -double(s.latitudeMinutes), lon = s.longitudeMinutes;
    out << QStringLiteral("Position: %1° %2' %3, %4° %5' %6")
               .arg(int(std::abs(lat)) / 60).arg(int(std::abs(lat)) % 60, 2, 10, QLatin1Char('0'))
               .arg(lat < 0 ? QLatin1Char('S') : QLatin1Char('N'))
               .arg(int(std::abs(lon)) / 60).arg(int(std::abs(lon)) % 60, 2, 10, QLatin1Char('0'))
               .arg(lon < 0 ? QLatin1Char('W') : QLatin1Char('E'));
    out << QStringLiteral("Beobachtung: %1").arg(StationReportText::timeText(r.observationTime));
    QString bulletin = QStringLiteral("Bulletin: %1").arg(StationReportText::timeText(r.bulletinTime));
    const QString centre = QString::fromLatin1(r.centreEntry.nameView().data(), int(r.centreEntry.nameLength)).trimmed();
    const QString indicator = QString::fromLatin1(r.centreEntry.indicatorView().data(), 4).trimmed();
    if (!indicator.isEmpty() && indicator.at(0).isLetter())
        bulletin += QStringLiteral(", %1 %2").arg(indicator, centre);
    bulletin += QStringLiteral(", Nr. %1").arg(int(r.bulletinNumber), 2, 10, QLatin1Char('0'));
    out << bulletin;
    for (const auto& [label, field] : {std::pair{"Datenart", &r.ttText}, {"Gebiet", &r.aaText}, {"Kennung", &r.bbbText}}) {
        const QString t = text(*field);
        if (!t.isEmpty()) out << QStringLiteral("%1: %2").arg(QString::fromUtf8(label), t);
    }
}

void windLine(const SynopRecord& r, Lines& out)
{
    const bool dir = r.has(SynopFlag::WindDirection), speed = r.has(SynopFlag::WindSpeed);
    if (!dir && !speed) return;
    const bool knots = WindBarb::isKnots(r.windIndicator);
    if (dir && speed && r.windDirection == 0 && r.windSpeed == 0) {
        out << QStringLiteral("Wind: still");
        return;
    }
    QString line = QStringLiteral("Wind: ");
    if (dir) line += QStringLiteral("aus %1°").arg(r.windDirection);
    if (speed) {
        if (dir) line += QStringLiteral(", ");
        line += knots ? QStringLiteral("%1 kn (%2 m/s)").arg(r.windSpeed).arg(StationReportText::decimal(r.windSpeed * 1852.0 / 3600.0, 1))
                      : QStringLiteral("%1 m/s (%2 kn)").arg(r.windSpeed).arg(std::lround(WindBarb::knots(r.windSpeed, r.windIndicator)));
    }
    out << line;
}

void section1(const SynopRecord& r, Lines& out)
{
    if (r.totalCloud) {
        const QString n = WeatherCodeTexts::cloudCover(r.totalCloud);
        if (!n.isEmpty()) out << QStringLiteral("Gesamtbedeckung: %1").arg(n);
    }
    windLine(r, out);
    if (r.has(SynopFlag::Visibility)) out << QStringLiteral("Sichtweite: %1").arg(WeatherCodeTexts::visibility(r.visibility));
    if (r.has(SynopFlag::AirTemperature)) out << QStringLiteral("Lufttemperatur: %1").arg(celsius(r.airTemperature));
    if (r.has(SynopFlag::DewPoint)) out << QStringLiteral("Taupunkt: %1").arg(celsius(r.dewPoint));
    if (r.has(SynopFlag::Humidity)) out << QStringLiteral("Relative Feuchte: %1 %").arg(r.humidity);
    if (r.has(SynopFlag::StationPressure))
        out << QStringLiteral("Luftdruck in Stationshöhe: %1").arg(hPa(StationObservation::pressureTenths(r.stationPressure)));
    if (r.has(SynopFlag::SeaLevelPressure))
        out << QStringLiteral("Luftdruck auf Meereshöhe: %1").arg(hPa(StationObservation::pressureTenths(r.seaLevelPressure)));
    if (r.has(SynopFlag::Geopotential))
        out << QStringLiteral("Geopotential der %1-hPa-Fläche: %2 gpm").arg(r.isobaricSurface).arg(r.geopotential);
    if (r.has(SynopFlag::PressureTendency)) {
        const int sign = StationObservation::tendencySign(r.tendencyCharacteristic);
        out << QStringLiteral("Luftdrucktendenz (3 Std.): %1%2, %3")
                   .arg(sign > 0 ? QStringLiteral("+") : sign < 0 ? QStringLiteral("-") : QString())
                   .arg(hPa(r.pressureTendency), WeatherCodeTexts::tendency(r.tendencyCharacteristic));
    }
    if (r.has(SynopFlag::Precipitation))
        out << QStringLiteral("Niederschlag: %1 %2").arg(WeatherCodeTexts::precipitation(r.precipitation),
                                                         WeatherCodeTexts::precipitationPeriod(r.precipitationPeriod));
    if (r.has(SynopFlag::PresentWeather) || r.has(SynopFlag::PresentWeatherOnly))
        out << QStringLiteral("Wetter: %1 (ww %2)").arg(WeatherCodeTexts::presentWeather(r.presentWeather))
                   .arg(int(r.presentWeather), 2, 10, QLatin1Char('0'));
    if (r.has(SynopFlag::CloudGroup)) {
        out << QStringLiteral("Bedeckung mit tiefen (oder mittelhohen) Wolken: %1").arg(WeatherCodeTexts::cloudCover(r.lowCloudAmount));
        out << QStringLiteral("Tiefe Wolken: %1").arg(WeatherCodeTexts::lowCloud(r.lowCloud));
        out << QStringLiteral("Mittelhohe Wolken: %1").arg(WeatherCodeTexts::middleCloud(r.midCloud));
        out << QStringLiteral("Hohe Wolken: %1").arg(WeatherCodeTexts::highCloud(r.highCloud));
    }
    if (r.cloudBaseKey[0] == 'H') {
        const QString h = WeatherCodeTexts::cloudBase(r.cloudBaseKey[1]);
        if (!h.isEmpty()) out << QStringLiteral("Untergrenze der tiefsten Wolken: %1").arg(h);
    }
}

void section2(const SynopRecord& r, Lines& out)
{
    if (r.has(SynopFlag::ShipMovement))
        out << QStringLiteral("Schiffskurs: %1, Fahrt: %2").arg(WeatherCodeTexts::shipDirection(r.shipDirection),
                                                                WeatherCodeTexts::shipSpeed(r.shipSpeed));
    if (r.has(SynopFlag::SeaTemperature)) out << QStringLiteral("Wassertemperatur: %1").arg(celsius(r.seaTemperature));
    if (r.has(SynopFlag::Waves))
        out << QStringLiteral("Wellen: %1 m, Periode %2 s").arg(StationReportText::decimal(r.waveHeight / 10.0, 1)).arg(int(r.wavePeriod));
    if (r.has(SynopFlag::WindWaves))
        out << QStringLiteral("Windsee: %1 m, Periode %2 s").arg(StationReportText::decimal(r.windWaveHeight * 0.5, 1)).arg(int(r.windWavePeriod));
    if (r.has(SynopFlag::SwellDirection))
        out << QStringLiteral("Dünung aus %1° und %2°").arg(r.swell1Direction * 10).arg(r.swell2Direction * 10);
    if (r.has(SynopFlag::Swell1))
        out << QStringLiteral("Erste Dünung: %1 m, Periode %2 s").arg(StationReportText::decimal(r.swell1Height * 0.5, 1)).arg(int(r.swell1Period));
    if (r.has(SynopFlag::Swell2))
        out << QStringLiteral("Zweite Dünung: %1 m, Periode %2 s").arg(StationReportText::decimal(r.swell2Height * 0.5, 1)).arg(int(r.swell2Period));
    if (r.has(SynopFlag::Ice))
        out << QStringLiteral("Eisansatz: Ursache %1, Dicke %2 cm, Zunahme %3").arg(int(r.iceCause)).arg(int(r.iceThickness)).arg(int(r.iceRate));
}

void section3(const SynopRecord& r, Lines& out)
{
    if (r.has(SynopFlag::MaxTemperature)) out << QStringLiteral("Höchsttemperatur: %1").arg(celsius(r.maxTemperature));
    if (r.has(SynopFlag::MinTemperature)) out << QStringLiteral("Tiefsttemperatur: %1").arg(celsius(r.minTemperature));
    if (r.has(SynopFlag::GroundGroup))
        out << QStringLiteral("Erdboden: %1, Minimum am Boden %2 °C").arg(WeatherCodeTexts::groundState(r.groundState))
                   .arg(int(r.groundMinTemperature));
    if (r.has(SynopFlag::Snow)) {
        QString s = QStringLiteral("Schnee: ");
        if (r.snowGroundState >= 0) s += WeatherCodeTexts::snowGroundState(r.snowGroundState);
        if (r.snowDepth >= 0) s += QStringLiteral(", Höhe %1").arg(WeatherCodeTexts::snowDepth(r.snowDepth));
        out << s;
    }
    if (r.has(SynopFlag::CloudLayer)) {
        for (int c = 0; c < 10; ++c) {
            if (r.layerAmount[size_t(c)] <= 0) continue;
            out << QStringLiteral("Wolkenschicht %1: %2/8 in %3").arg(WeatherCodeTexts::cloudGenus(c))
                       .arg(int(r.layerAmount[size_t(c)])).arg(WeatherCodeTexts::layerHeight(r.layerHeight[size_t(c)]));
        }
    }
    if (r.has(SynopFlag::Section4))
        out << QStringLiteral("Wolken unter Stationsniveau: %1/8 %2, Obergrenze %3 (Code), Art %4")
                   .arg(int(r.lowerCloudAmount)).arg(WeatherCodeTexts::cloudGenus(r.lowerCloudGenus))
                   .arg(int(r.lowerCloudTop)).arg(int(r.lowerCloudDescription));
}

} // namespace

QString StationReportText::decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString StationReportText::timeText(uint32_t timeValue)
{
    // Report times are the UTC fields taken as local time, one hour ahead of
    // the hour observed (the decoder's month base lies 23 hours before day 1).
    const QDateTime t = QDateTime::fromSecsSinceEpoch(qint64(timeValue) - kReportHourLead, Qt::LocalTime);
    return t.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral(" UTC");
}

QStringList StationReportText::lines(const SynopRecord& record)
{
    Lines out;
    headerLines(record, out);
    section1(record, out);
    section2(record, out);
    section3(record, out);
    return out;
}

QString StationReportText::build(const SynopRecord& record)
{
    return lines(record).join(QLatin1Char('\n'));
}

} // namespace kesmar
