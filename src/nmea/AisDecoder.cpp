#include "nmea/AisDecoder.h"

namespace kesmar {
namespace {

// Positions are 1/10000 minute; 181 and 91 degrees mean "not available",
// anything else beyond the poles or the date line is just as unusable.
std::optional<double> longitudeAt(const AisPayload& p, int start)
{
    const double degrees = p.signedBits(start, 28) / 600000.0;
    if (degrees < -180.0 || degrees > 180.0) return std::nullopt;
    return degrees;
}

std::optional<double> latitudeAt(const AisPayload& p, int start)
{
    const double degrees = p.signedBits(start, 27) / 600000.0;
    if (degrees < -90.0 || degrees > 90.0) return std::nullopt;
    return degrees;
}

// Speed in 1/10 knot; 1023 not available, 1022 means 102.2 knots or more.
std::optional<double> speedAt(const AisPayload& p, int start)
{
    const uint32_t v = p.unsignedBits(start, 10);
    if (v == 1023) return std::nullopt;
    return v / 10.0;
}

// Course in 1/10 degree; 3600 not available, larger values are invalid.
std::optional<double> courseAt(const AisPayload& p, int start)
{
    const uint32_t v = p.unsignedBits(start, 12);
    if (v >= 3600) return std::nullopt;
    return v / 10.0;
}

std::optional<int> headingAt(const AisPayload& p, int start)
{
    const uint32_t v = p.unsignedBits(start, 9);
    if (v >= 360) return std::nullopt; // 511 not available
    return int(v);
}

std::optional<int> secondAt(const AisPayload& p, int start)
{
    const uint32_t v = p.unsignedBits(start, 6);
    if (v >= 60) return std::nullopt; // 60 not available, 61-63 no position
    return int(v);
}

// A number whose zero means "not available".
std::optional<int> nonZero(uint32_t v)
{
    if (v == 0) return std::nullopt;
    return int(v);
}

std::optional<QString> nonEmpty(QString text)
{
    if (text.isEmpty()) return std::nullopt;
    return text;
}

void dimensionsAt(const AisPayload& p, int start, AisMessage& m)
{
    m.toBow = nonZero(p.unsignedBits(start, 9));
    m.toStern = nonZero(p.unsignedBits(start + 9, 9));
    m.toPort = nonZero(p.unsignedBits(start + 18, 6));
    m.toStarboard = nonZero(p.unsignedBits(start + 24, 6));
}

std::optional<int> inRange(uint32_t v, uint32_t low, uint32_t high)
{
    if (v < low || v > high) return std::nullopt;
    return int(v);
}

void decodeClassA(const AisPayload& p, AisMessage& m)
{
    m.status = inRange(p.unsignedBits(38, 4), 0, 14);
    const int turn = p.signedBits(42, 8);
    if (turn != -128) m.turn = turn;
    m.speedKnots = speedAt(p, 50);
    m.accuracy = p.flag(60);
    m.longitude = longitudeAt(p, 61);
    m.latitude = latitudeAt(p, 89);
    m.courseDegrees = courseAt(p, 116);
    m.headingDegrees = headingAt(p, 128);
    m.second = secondAt(p, 137);
    m.maneuver = int(p.unsignedBits(143, 2));
    m.raim = p.flag(148);
    // Some stations cut the radio status short; it is only kept when whole.
    if (p.bitCount() >= 168) m.radio = p.unsignedBits(149, 19);
}

void decodeBaseStation(const AisPayload& p, AisMessage& m)
{
    m.year = nonZero(p.unsignedBits(38, 14));
    m.month = inRange(p.unsignedBits(52, 4), 1, 12);
    m.day = inRange(p.unsignedBits(56, 5), 1, 31);
    m.hour = inRange(p.unsignedBits(61, 5), 0, 23);
    m.minute = inRange(p.unsignedBits(66, 6), 0, 59);
    m.utcSecond = inRange(p.unsignedBits(72, 6), 0, 59);
    m.accuracy = p.flag(78);
    m.longitude = longitudeAt(p, 79);
    m.latitude = latitudeAt(p, 107);
    m.epfd = int(p.unsignedBits(134, 4));
    m.raim = p.flag(148);
    m.radio = p.unsignedBits(149, 19);
}

void decodeStatic(const AisPayload& p, AisMessage& m)
{
    m.aisVersion = int(p.unsignedBits(38, 2));
    if (const uint32_t imo = p.unsignedBits(40, 30)) m.imo = imo;
    m.callsign = nonEmpty(p.text(70, 7));
    m.shipname = nonEmpty(p.text(112, 20));
    m.shiptype = inRange(p.unsignedBits(232, 8), 1, 99);
    dimensionsAt(p, 240, m);
    m.epfd = int(p.unsignedBits(270, 4));
    m.etaMonth = inRange(p.unsignedBits(274, 4), 1, 12);
    m.etaDay = inRange(p.unsignedBits(278, 5), 1, 31);
    m.etaHour = inRange(p.unsignedBits(283, 5), 0, 23);
    m.etaMinute = inRange(p.unsignedBits(288, 6), 0, 59);
    if (const uint32_t draught = p.unsignedBits(294, 8)) m.draughtMeters = draught / 10.0;
    m.destination = nonEmpty(p.text(302, 20));
    if (p.bitCount() > 422) m.dte = p.flag(422);
}

void decodeClassBPosition(const AisPayload& p, AisMessage& m)
{
    m.reserved = int(p.unsignedBits(38, 8));
    m.speedKnots = speedAt(p, 46);
    m.accuracy = p.flag(56);
    m.longitude = longitudeAt(p, 57);
    m.latitude = latitudeAt(p, 85);
    m.courseDegrees = courseAt(p, 112);
    m.headingDegrees = headingAt(p, 124);
    m.second = secondAt(p, 133);
}

void decodeClassB(const AisPayload& p, AisMessage& m)
{
    decodeClassBPosition(p, m);
    m.regional = int(p.unsignedBits(139, 2));
    m.cs = p.flag(141);
    m.display = p.flag(142);
    m.dsc = p.flag(143);
    m.band = p.flag(144);
    m.msg22 = p.flag(145);
    m.assigned = p.flag(146);
    m.raim = p.flag(147);
    m.radio = p.unsignedBits(148, 20);
}

void decodeClassBExtended(const AisPayload& p, AisMessage& m)
{
    decodeClassBPosition(p, m);
    m.regional = int(p.unsignedBits(139, 4));
    m.shipname = nonEmpty(p.text(143, 20));
    m.shiptype = inRange(p.unsignedBits(263, 8), 1, 99);
    dimensionsAt(p, 271, m);
    m.epfd = int(p.unsignedBits(301, 4));
    m.raim = p.flag(305);
    m.dte = p.flag(306);
    m.assigned = p.flag(307);
}

void decodeAid(const AisPayload& p, AisMessage& m)
{
    m.aidType = nonZero(p.unsignedBits(38, 5));
    // The name field holds 20 characters; up to 14 more follow in the
    // extension after the fixed part.
    QString name = p.text(43, 20);
    if (name.size() == 20 && p.bitCount() >= 272 + 6) name += p.text(272, (p.bitCount() - 272) / 6);
    m.shipname = nonEmpty(name);
    m.accuracy = p.flag(163);
    m.longitude = longitudeAt(p, 164);
    m.latitude = latitudeAt(p, 192);
    dimensionsAt(p, 219, m);
    m.epfd = int(p.unsignedBits(249, 4));
    m.second = secondAt(p, 253);
    m.offPosition = p.flag(259);
    m.regional = int(p.unsignedBits(260, 8));
    m.raim = p.flag(268);
    m.virtualAid = p.flag(269);
    m.assigned = p.flag(270);
}

void decodeStaticB(const AisPayload& p, AisMessage& m)
{
    m.partNumber = int(p.unsignedBits(38, 2));
    if (*m.partNumber == 0) {
        m.shipname = nonEmpty(p.text(40, 20));
        return;
    }
    m.shiptype = inRange(p.unsignedBits(40, 8), 1, 99);
    m.callsign = nonEmpty(p.text(90, 7));
    // Auxiliary craft (MMSI 98xxxxxxx) send their mother ship here instead
    // of their dimensions.
    if (m.mmsi / 10000000 == 98)
        m.mothershipMmsi = p.unsignedBits(132, 30);
    else
        dimensionsAt(p, 132, m);
}

} // namespace

int AisDecoder::minimumBits(int type)
{
    switch (type) {
    case 1: case 2: case 3: return 149; // up to the RAIM flag
    case 4: return 168;
    case 5: return 420;                 // some transponders leave out DTE and spare
    case 18: return 168;
    case 19: return 312;
    case 21: return 272;
    case 24: return 160;                // part A; part B needs 168
    default: return 0;
    }
}

AisDecoder::Outcome AisDecoder::decode(const AisPayload& bits, AisMessage& out)
{
    if (bits.bitCount() < 6) return Outcome::TooShort;
    AisMessage m;
    m.type = int(bits.unsignedBits(0, 6));
    const int needed = minimumBits(m.type);
    if (needed == 0) return Outcome::Unsupported;
    if (bits.bitCount() < needed) return Outcome::TooShort;
    if (m.type == 24 && bits.unsignedBits(38, 2) != 0 && bits.bitCount() < 168) return Outcome::TooShort;
    if (m.type == 24 && bits.unsignedBits(38, 2) > 1) return Outcome::Unsupported;
    m.repeat = int(bits.unsignedBits(6, 2));
    m.mmsi = bits.unsignedBits(8, 30);
    switch (m.type) {
    case 1: case 2: case 3: decodeClassA(bits, m); break;
    case 4: decodeBaseStation(bits, m); break;
    case 5: decodeStatic(bits, m); break;
    case 18: decodeClassB(bits, m); break;
    case 19: decodeClassBExtended(bits, m); break;
    case 21: decodeAid(bits, m); break;
    case 24: decodeStaticB(bits, m); break;
    }
    out = std::move(m);
    return Outcome::Decoded;
}

} // namespace kesmar
