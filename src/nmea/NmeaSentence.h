#pragma once
#include <QByteArray>
#include <optional>

namespace kesmar {

// The sentences the plotter acts on; everything else is only logged.
enum class NmeaKind { Unknown, GLL, GGA, RMC, VTG };

// Outcome of the framing/checksum stage.
enum class NmeaCheck {
    Ok,           // well-formed; checksum present and right, or absent
    NoDollar,     // does not start with '$' (AIS '!' sentences, noise)
    BadChecksum,  // '*' present but the value is wrong or malformed
    BadCharacter, // a byte outside 0x20..0x7E inside the sentence
    BadAddress,   // address is not two talker letters + three type letters
};

struct NmeaTime {
    int hour = 0;
    int minute = 0;
    int second = 0;       // 0-60 (leap second accepted)
    int microseconds = 0; // from the decimals, which the state ignores
};

struct NmeaDate {
    int day = 0;
    int month = 0;
    int year = 0; // as sent: two digits
};

struct NmeaPosition {
    double latitudeMinutes = 0.0;  // north positive
    double longitudeMinutes = 0.0; // east positive
};

// One parsed sentence. Missing or empty fields are nullopt, never zero.
struct NmeaSentence {
    NmeaCheck check = NmeaCheck::NoDollar;
    NmeaKind kind = NmeaKind::Unknown;
    QByteArray address;  // "GPRMC", "GNGGA", "PGRME"; empty when not readable
    QByteArray talker;   // "GP", "GN", ...; "P" for proprietary sentences
    bool hasChecksum = false;

    std::optional<NmeaPosition> position;
    // false when the sentence itself marks the fix invalid (RMC/GLL status
    // "V", GGA quality 0): the position must not move the vessel.
    bool positionValid = true;
    std::optional<NmeaTime> time;
    std::optional<NmeaDate> date;
    std::optional<int> fixQuality;        // GGA
    std::optional<int> satellites;        // GGA
    std::optional<double> altitudeMeters; // GGA
    std::optional<double> courseTrueDegrees;     // VTG (RMC)
    std::optional<double> courseMagneticDegrees; // VTG
    std::optional<double> speedKnots;            // VTG (RMC)

    bool usable() const { return check == NmeaCheck::Ok; }
};

} // namespace kesmar
