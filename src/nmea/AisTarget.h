#pragma once
#include <QString>

#include <cstdint>
#include <optional>

namespace kesmar {

// What the plotter knows of one AIS station, merged from all its messages.
// Positions in degrees (north and east positive), speeds in knots, courses
// and headings in degrees true, dimensions in metres; nullopt while no
// message has given the value.
struct AisTarget {
    enum class Kind { ClassA, ClassB, BaseStation, AidToNavigation };

    uint32_t mmsi = 0;
    Kind kind = Kind::ClassA;
    std::optional<double> latitude;
    std::optional<double> longitude;
    std::optional<double> speedKnots;
    std::optional<double> courseDegrees;
    std::optional<int> headingDegrees;
    std::optional<int> status;        // navigational status (class A)
    std::optional<QString> name;      // ship name, or the aid's name
    std::optional<QString> callsign;
    std::optional<int> shiptype;
    std::optional<int> toBow, toStern, toPort, toStarboard;
    std::optional<QString> destination;
    std::optional<double> draughtMeters;
    std::optional<int> aidType;       // 1-31 (aids to navigation)
    bool virtualAid = false;
    bool offPosition = false;

    int64_t lastHeardMs = 0;          // on the list's clock
    bool lost = false;                // not heard for the kind's time limit

    bool hasPosition() const { return latitude && longitude; }
    // Heading when the target sends one, else its course over ground.
    std::optional<double> direction() const
    {
        if (headingDegrees) return double(*headingDegrees);
        return courseDegrees;
    }
    std::optional<int> lengthMeters() const
    {
        if (toBow && toStern) return *toBow + *toStern;
        return std::nullopt;
    }
    std::optional<int> beamMeters() const
    {
        if (toPort && toStarboard) return *toPort + *toStarboard;
        return std::nullopt;
    }
};

} // namespace kesmar
