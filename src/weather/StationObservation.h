#pragma once
#include "weather/SynopRecord.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kesmar {

// The values of one station-file record that a station model plots, each
// present only when its validity bit is set and the value is physically
// possible. What was set but impossible is named in `rejected`.
struct StationObservation {
    uint32_t number = 0;          // IIiii, 0 for ships
    QString name;                 // station name, or the ship's call sign
    bool ship = false;
    double latitudeMinutes = 0.0; // north positive
    double longitudeMinutes = 0.0; // east positive
    bool positionValid = false;
    uint32_t observationTime = 0;

    std::optional<char> totalCloud;      // '0'-'9' or '/'
    std::optional<int> windDirection;    // degrees the wind blows from, 0 calm
    std::optional<double> windKnots;
    std::optional<double> airTemperature; // degC
    std::optional<double> dewPoint;
    std::optional<int> seaLevelPressureTenths; // tenths of hPa, e.g. 10132
    std::optional<int> tendencyCharacteristic; // a, 0-8
    std::optional<int> tendencyTenths;         // ppp, signed by a
    std::optional<int> presentWeather;         // ww, 0-99
    std::optional<int> visibility;             // VV code figure
    std::optional<char> lowCloud;              // CL '1'-'9'
    bool coastal = false; // reports sea state or sea temperature

    QStringList rejected; // German, e.g. "Wind 222 kn"

    static StationObservation fromRecord(const SynopRecord& record);

    // Tenths of hPa from the record's four digits without the thousands digit.
    static int pressureTenths(int recorded);
    // The plotted pressure: tenths of hPa without the leading 9 or 10, "132".
    static QString pressureText(int tenths);
    // The plotted tendency: "+12", "-05", "00".
    static QString tendencyText(int signedTenths);
    // The tendency's sign from its characteristic a: 0-3 rising, 4 steady,
    // 5-8 falling.
    static int tendencySign(int characteristic);
};

} // namespace kesmar
