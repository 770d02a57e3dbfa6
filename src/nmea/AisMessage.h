#pragma once
#include <QString>

#include <cstdint>
#include <optional>

namespace kesmar {

// One decoded AIS message of the types the plotter uses: 1-3 (class A
// position), 4 (base station), 5 (static and voyage), 18 and 19 (class B
// position), 21 (aid to navigation) and 24 (class B static, part A or B).
// The "not available" codes of the standard (latitude 91, longitude 181,
// speed 102.3, course 360, heading 511, second 60, ...) and values out of
// range are nullopt, never zero. Units: degrees, knots, metres.
struct AisMessage {
    int type = 0;
    int repeat = 0;
    uint32_t mmsi = 0;
    bool own = false; // from a VDO sentence

    // Position reports (1-3, 18, 19), base station (4), aids (21).
    std::optional<int> status;           // navigational status 0-14 (1-3)
    std::optional<int> turn;             // rate of turn as sent, -127..127 (1-3)
    std::optional<double> speedKnots;
    bool accuracy = false;
    std::optional<double> longitude;     // degrees, east positive
    std::optional<double> latitude;      // degrees, north positive
    std::optional<double> courseDegrees; // over ground
    std::optional<int> headingDegrees;   // true heading 0-359
    std::optional<int> second;           // UTC second of the report 0-59
    int maneuver = 0;
    bool raim = false;
    std::optional<uint32_t> radio;        // radio status; left out when cut short
    int reserved = 0;                    // 18, 19
    int regional = 0;                    // 18, 19, 21
    // Class B flags (18).
    bool cs = false, display = false, dsc = false, band = false, msg22 = false, assigned = false;

    // Base station time (4): each part nullopt when not available.
    std::optional<int> year, month, day, hour, minute, utcSecond;

    // Static data (5, 19, 21, 24).
    std::optional<int> aisVersion;       // 5
    std::optional<uint32_t> imo;         // 5
    std::optional<QString> callsign;     // 5, 24B
    std::optional<QString> shipname;     // 5, 19, 24A; the aid's name for 21
    std::optional<int> shiptype;         // 5, 19, 24B: 1-99
    std::optional<int> toBow, toStern, toPort, toStarboard; // metres from the reference point
    int epfd = 0;                        // position fixing device, 0 = undefined
    std::optional<int> etaMonth, etaDay, etaHour, etaMinute; // 5
    std::optional<double> draughtMeters; // 5
    std::optional<QString> destination;  // 5
    std::optional<bool> dte;             // 5, 19: data terminal ready (true = not ready)

    // Aid to navigation (21).
    std::optional<int> aidType;          // 1-31
    bool offPosition = false;
    bool virtualAid = false;

    // Class B static (24).
    std::optional<int> partNumber;       // 0 = part A, 1 = part B
    std::optional<uint32_t> mothershipMmsi; // part B of an auxiliary craft

    bool isClassB() const { return type == 18 || type == 19 || type == 24; }
    bool hasPosition() const { return longitude && latitude; }
};

} // namespace kesmar
