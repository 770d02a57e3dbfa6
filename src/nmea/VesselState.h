#pragma once

namespace kesmar {

// The vessel's navigation state: one instance, owned by the application,
// written by NmeaInput and SimulatedTrack, read by the chart view and panel.
// Positions are minutes of arc, north and east positive.
struct VesselState {
    // No real position has this value; the vessel mark is not drawn for it.
    static constexpr double kUnknownMinutes = 64000.0;

    double longitudeMinutes = kUnknownMinutes;
    double latitudeMinutes = kUnknownMinutes;
    // The values last written to the panel rows (change detection).
    double shownLongitudeMinutes = kUnknownMinutes;
    double shownLatitudeMinutes = kUnknownMinutes;
    // Simulation: the track point shown before the current one.
    double previousSimLongitudeMinutes = 0.0;
    double previousSimLatitudeMinutes = 0.0;

    // UTC of the last time field; 0 until one arrives.
    int hour = 0;
    int minute = 0;
    int second = 0;
    // Date of the last date field; year as sent (two digits from RMC, four
    // in the simulation).
    int day = 0;
    int month = 0;
    int year = 0;

    double speedKnots = 0.0;      // from VTG
    int courseDegrees = 0;        // 0-359, from VTG or the simulation
    int headingArrowDegrees = 0;  // shown by the wind dial in the simulation
    double gaugeValue = 0.0;      // simulation only
    int lastSimulatedCourse = -9999;

    bool hasPosition() const
    {
        return longitudeMinutes != kUnknownMinutes && latitudeMinutes != kUnknownMinutes;
    }
};

} // namespace kesmar
