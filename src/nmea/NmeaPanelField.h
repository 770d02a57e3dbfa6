#pragma once

namespace kesmar {

// The text fields of the instrument panel that the NMEA input writes.
enum class NmeaPanelField {
    Speed,          // "%3.1f Kn"
    CourseMagnetic, // "%3d°"
    Satellites,     // two characters
    Height,         // four characters
    Latitude,       // "   LAT:  % 3d°%06.3f%c"
    Longitude,      // "  LON:   % 3d°%06.3f%c"
    Utc,            // "%02d:%02d:%02d  %02d.%02d.%02d"
};

} // namespace kesmar
