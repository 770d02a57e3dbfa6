#include "weather/StationObservation.h"

#include "weather/WindBarb.h"

#include <cmath>
#include <cstdlib>

namespace kesmar {

namespace {

// Beyond these a report is taken as garbled, not as weather.
constexpr double kMaxKnots = 200.0;
constexpr double kMinTemperature = -80.0;
constexpr double kMaxTemperature = 60.0;
constexpr int kMinPressureTenths = 8700;
constexpr int kMaxPressureTenths = 10900;

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

void takeTemperature(bool set, int16_t tenths, const char* label, std::optional<double>& out,
                     QStringList& rejected)
{
    if (!set) return;
    const double c = tenths / 10.0;
    if (c < kMinTemperature || c > kMaxTemperature)
        rejected << QStringLiteral("%1 %2 °C").arg(QString::fromUtf8(label), number(c, 1));
    else
        out = c;
}

void takeWind(const SynopRecord& r, StationObservation& o)
{
    if (!r.has(SynopFlag::WindDirection) || !r.has(SynopFlag::WindSpeed)) return;
    const double kt = WindBarb::knots(r.windSpeed, r.windIndicator);
    if (kt > kMaxKnots) {
        o.rejected << QStringLiteral("Wind %1 %2").arg(r.windSpeed).arg(
            WindBarb::isKnots(r.windIndicator) ? QStringLiteral("kn") : QStringLiteral("m/s"));
        return;
    }
    o.windDirection = r.windDirection;
    o.windKnots = kt;
}

void takePressure(const SynopRecord& r, StationObservation& o)
{
    if (r.has(SynopFlag::SeaLevelPressure)) {
        const int p = StationObservation::pressureTenths(r.seaLevelPressure);
        if (p < kMinPressureTenths || p > kMaxPressureTenths)
            o.rejected << QStringLiteral("Luftdruck %1 hPa").arg(number(p / 10.0, 1));
        else
            o.seaLevelPressureTenths = p;
    }
    if (r.has(SynopFlag::PressureTendency) && r.tendencyCharacteristic <= 8) {
        o.tendencyCharacteristic = r.tendencyCharacteristic;
        o.tendencyTenths = StationObservation::tendencySign(r.tendencyCharacteristic) * r.pressureTendency;
    }
}

} // namespace

int StationObservation::pressureTenths(int recorded)
{
    // 4 digits of tenths: 0132 is 1013.2 hPa, 9987 is 998.7 hPa.
    return recorded < 5000 ? 10000 + recorded : recorded;
}

QString StationObservation::pressureText(int tenths)
{
    return QStringLiteral("%1").arg(std::abs(tenths) % 1000, 3, 10, QLatin1Char('0'));
}

QString StationObservation::tendencyText(int signedTenths)
{
    const QString digits = QStringLiteral("%1").arg(std::abs(signedTenths), 2, 10, QLatin1Char('0'));
    if (signedTenths > 0) return QLatin1Char('+') + digits;
    if (signedTenths < 0) return QLatin1Char('-') + digits;
    return digits;
}

int StationObservation::tendencySign(int characteristic)
{
    if (characteristic >= 0 && characteristic <= 3) return 1;
    if (characteristic >= 5 && characteristic <= 8) return -1;
    return 0;
}

StationObservation StationObservation::fromRecord(const SynopRecord& r)
{
    StationObservation o;
    const StationEntry& s = r.stationEntry;
    o.ship = r.has(SynopFlag::ShipCallSign) || ((r.sectionKind & 2) != 0 && s.number == 0);
    o.number = s.number;
    o.name = QString::fromLatin1(s.nameView().data(), int(s.nameLength)).trimmed();
    if (o.ship && o.name.isEmpty())
        o.name = QStringLiteral("%1%2").arg(int(r.platformRegion), 2, 10, QLatin1Char('0'))
                     .arg(int(r.platformNumber), 3, 10, QLatin1Char('0'));
    o.latitudeMinutes = -double(s.latitudeMinutes);
    o.longitudeMinutes = s.longitudeMinutes;
    o.positionValid = r.has(SynopFlag::StationIdentified) && std::abs(o.latitudeMinutes) <= 90 * 60
                      && std::abs(o.longitudeMinutes) <= 180 * 60;
    o.observationTime = r.observationTime;

    if ((r.totalCloud >= '0' && r.totalCloud <= '9') || r.totalCloud == '/') o.totalCloud = r.totalCloud;
    takeWind(r, o);
    takeTemperature(r.has(SynopFlag::AirTemperature), r.airTemperature, "Temperatur", o.airTemperature,
                    o.rejected);
    takeTemperature(r.has(SynopFlag::DewPoint), r.dewPoint, "Taupunkt", o.dewPoint, o.rejected);
    takePressure(r, o);
    if ((r.has(SynopFlag::PresentWeather) || r.has(SynopFlag::PresentWeatherOnly)) && r.presentWeather >= 0
        && r.presentWeather <= 99)
        o.presentWeather = r.presentWeather;
    if (r.has(SynopFlag::Visibility) && r.visibility >= 0 && r.visibility <= 99) o.visibility = r.visibility;
    if (r.has(SynopFlag::CloudGroup) && r.lowCloud >= '1' && r.lowCloud <= '9') o.lowCloud = r.lowCloud;
    o.coastal = r.has(SynopFlag::SeaTemperature) || r.has(SynopFlag::Waves) || r.has(SynopFlag::WindWaves);
    return o;
}

} // namespace kesmar
