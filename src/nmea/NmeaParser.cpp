#include "nmea/NmeaParser.h"

#include <charconv>
#include <cmath>

namespace kesmar {
namespace {

QByteArrayView stripLineEnd(QByteArrayView text)
{
    while (!text.isEmpty() && (text.back() == '\r' || text.back() == '\n'))
        text.chop(1);
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// The part between '$' and '*' (or the end).
QByteArrayView body(QByteArrayView text)
{
    text = stripLineEnd(text);
    if (text.isEmpty())
        return {};
    qsizetype star = text.indexOf('*');
    if (star == 0)
        return {};
    QByteArrayView inner = text.sliced(1);
    return star < 0 ? inner : inner.first(star - 1);
}

} // namespace

NmeaParser::Fields NmeaParser::splitFields(QByteArrayView text)
{
    Fields fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            fields.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

namespace {

QByteArrayView field(const NmeaParser::Fields& fields, int index)
{
    return index < fields.size() ? fields[index] : QByteArrayView();
}

// Whole degrees as sent, for the integer panel texts; values 0-360.
std::optional<double> parseDegrees(QByteArrayView text)
{
    std::optional<double> value = NmeaParser::parseNumber(text);
    if (!value || *value < 0.0 || *value > 360.0)
        return std::nullopt;
    return value;
}

// "ddmm.mmm" (or "dddmm.mmm"): minutes of arc. At least four digits before
// the point, else it is decimal degrees or garbage.
std::optional<double> parseAngle(QByteArrayView text, int maxDegrees)
{
    qsizetype point = text.indexOf('.');
    qsizetype intDigits = point < 0 ? text.size() : point;
    if (intDigits < 4 || intDigits > 5)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i != point && !isDigit(text[i]))
            return std::nullopt;
    }
    if (point == text.size() - 1)
        return std::nullopt;
    int degrees = 0;
    for (qsizetype i = 0; i < intDigits - 2; ++i)
        degrees = degrees * 10 + (text[i] - '0');
    // The minutes are converted from their own text, as a ddmm.mmm reader
    // that cuts the degrees off does, so 5412.345 gives exactly 12.345.
    std::optional<double> minutes = NmeaParser::parseNumber(text.sliced(intDigits - 2));
    if (!minutes || *minutes >= 60.0)
        return std::nullopt;
    if (degrees > maxDegrees || (degrees == maxDegrees && *minutes > 0.0))
        return std::nullopt;
    return degrees * 60.0 + *minutes;
}

void parseGll(const NmeaParser::Fields& f, NmeaSentence& s)
{
    s.position = NmeaParser::parsePosition(field(f, 1), field(f, 2), field(f, 3), field(f, 4));
    s.time = NmeaParser::parseTime(field(f, 5));
    // Receivers before NMEA 2.0 send no status; anything but "A" is not a fix
    // (a damaged '*' must not turn "A*1C" into a valid status).
    s.positionValid = f.size() <= 6 || field(f, 6) == "A";
}

void parseGga(const NmeaParser::Fields& f, NmeaSentence& s)
{
    s.time = NmeaParser::parseTime(field(f, 1));
    s.position = NmeaParser::parsePosition(field(f, 2), field(f, 3), field(f, 4), field(f, 5));
    if (std::optional<double> q = NmeaParser::parseNumber(field(f, 6)); q && *q >= 0 && *q <= 9)
        s.fixQuality = int(*q);
    s.positionValid = s.fixQuality.value_or(0) != 0;
    if (std::optional<double> n = NmeaParser::parseNumber(field(f, 7)); n && *n >= 0 && *n <= 99)
        s.satellites = int(*n);
    if (std::optional<double> a = NmeaParser::parseNumber(field(f, 9)); a && std::fabs(*a) < 1e6)
        s.altitudeMeters = *a;
}

void parseRmc(const NmeaParser::Fields& f, NmeaSentence& s)
{
    s.time = NmeaParser::parseTime(field(f, 1));
    s.positionValid = field(f, 2) == "A";
    s.position = NmeaParser::parsePosition(field(f, 3), field(f, 4), field(f, 5), field(f, 6));
    if (std::optional<double> v = NmeaParser::parseNumber(field(f, 7)); v && *v >= 0)
        s.speedKnots = v;
    s.courseTrueDegrees = parseDegrees(field(f, 8));
    s.date = NmeaParser::parseDate(field(f, 9));
}

void parseVtg(const NmeaParser::Fields& f, NmeaSentence& s)
{
    s.courseTrueDegrees = parseDegrees(field(f, 1));
    int magnetic = 3;
    int knots = 5;
    // NMEA 1.5 VTG carries the three numbers without unit letters.
    if (!field(f, 2).isEmpty() && field(f, 2) != "T") {
        magnetic = 2;
        knots = 3;
    }
    s.courseMagneticDegrees = parseDegrees(field(f, magnetic));
    if (std::optional<double> v = NmeaParser::parseNumber(field(f, knots)); v && *v >= 0)
        s.speedKnots = v;
}

} // namespace

quint8 NmeaParser::checksum(QByteArrayView text)
{
    quint8 sum = 0;
    for (char c : body(text))
        sum ^= quint8(c);
    return sum;
}

NmeaCheck NmeaParser::check(QByteArrayView text)
{
    text = stripLineEnd(text);
    if (text.isEmpty() || text[0] != '$')
        return NmeaCheck::NoDollar;
    qsizetype star = text.indexOf('*');
    qsizetype end = star < 0 ? text.size() : star;
    for (qsizetype i = 1; i < end; ++i) {
        if (text[i] < 0x20 || text[i] > 0x7E)
            return NmeaCheck::BadCharacter;
    }
    if (star < 0)
        return NmeaCheck::Ok;
    if (text.size() != star + 3)
        return NmeaCheck::BadChecksum;
    int high = hexValue(text[star + 1]);
    int low = hexValue(text[star + 2]);
    if (high < 0 || low < 0 || quint8(high * 16 + low) != checksum(text))
        return NmeaCheck::BadChecksum;
    return NmeaCheck::Ok;
}

NmeaKind NmeaParser::identify(QByteArrayView address)
{
    if (address.size() != 5 || address[0] == 'P')
        return NmeaKind::Unknown;
    for (char c : address) {
        if (!isUpper(c))
            return NmeaKind::Unknown;
    }
    QByteArrayView type = address.sliced(2);
    if (type == "GLL")
        return NmeaKind::GLL;
    if (type == "GGA")
        return NmeaKind::GGA;
    if (type == "RMC")
        return NmeaKind::RMC;
    if (type == "VTG")
        return NmeaKind::VTG;
    return NmeaKind::Unknown;
}

NmeaSentence NmeaParser::parse(QByteArrayView text)
{
    NmeaSentence s;
    s.check = check(text);
    if (s.check == NmeaCheck::NoDollar || s.check == NmeaCheck::BadCharacter)
        return s;
    s.hasChecksum = stripLineEnd(text).contains('*');
    const Fields fields = splitFields(body(text));
    QByteArrayView address = fields.value(0);
    bool addressOk = address.size() >= 2 && address.size() <= 8;
    for (char c : address)
        addressOk = addressOk && (isUpper(c) || isDigit(c));
    if (!addressOk || (address[0] != 'P' && address.size() != 5)) {
        if (s.check == NmeaCheck::Ok)
            s.check = NmeaCheck::BadAddress;
        return s;
    }
    s.address = address.toByteArray();
    s.talker = address[0] == 'P' ? QByteArray("P") : address.first(2).toByteArray();
    s.kind = identify(address);
    if (s.check != NmeaCheck::Ok)
        return s;
    switch (s.kind) {
    case NmeaKind::GLL: parseGll(fields, s); break;
    case NmeaKind::GGA: parseGga(fields, s); break;
    case NmeaKind::RMC: parseRmc(fields, s); break;
    case NmeaKind::VTG: parseVtg(fields, s); break;
    case NmeaKind::Unknown: break;
    }
    return s;
}

std::optional<NmeaPosition> NmeaParser::parsePosition(QByteArrayView lat, QByteArrayView latHemisphere,
                                                      QByteArrayView lon, QByteArrayView lonHemisphere)
{
    if (latHemisphere != "N" && latHemisphere != "S")
        return std::nullopt;
    if (lonHemisphere != "E" && lonHemisphere != "W")
        return std::nullopt;
    std::optional<double> latitude = parseAngle(lat, 90);
    std::optional<double> longitude = parseAngle(lon, 180);
    if (!latitude || !longitude)
        return std::nullopt;
    NmeaPosition p;
    p.latitudeMinutes = latHemisphere == "S" ? -*latitude : *latitude;
    p.longitudeMinutes = lonHemisphere == "W" ? -*longitude : *longitude;
    return p;
}

std::optional<NmeaPosition> NmeaParser::parsePositionText(QByteArrayView text)
{
    const Fields f = splitFields(text);
    if (f.size() < 4)
        return std::nullopt;
    return parsePosition(f[0], f[1], f[2], f[3]);
}

std::optional<NmeaTime> NmeaParser::parseTime(QByteArrayView text)
{
    if (text.size() < 6 || (text.size() > 6 && text[6] != '.'))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i != 6 && !isDigit(text[i]))
            return std::nullopt;
    }
    auto pair = [&](int at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    NmeaTime t;
    t.hour = pair(0);
    t.minute = pair(2);
    t.second = pair(4);
    if (t.hour > 23 || t.minute > 59 || t.second > 60)
        return std::nullopt;
    int scale = 100000;
    for (qsizetype i = 7; i < text.size() && scale > 0; ++i, scale /= 10)
        t.microseconds += (text[i] - '0') * scale;
    return t;
}

std::optional<NmeaDate> NmeaParser::parseDate(QByteArrayView text)
{
    if (text.size() != 6)
        return std::nullopt;
    for (char c : text) {
        if (!isDigit(c))
            return std::nullopt;
    }
    auto pair = [&](int at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    NmeaDate d{pair(0), pair(2), pair(4)};
    if (d.day < 1 || d.day > 31 || d.month < 1 || d.month > 12)
        return std::nullopt;
    return d;
}

std::optional<double> NmeaParser::parseNumber(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    text = text.sliced(i);
    if (!text.isEmpty() && text[0] == '+')
        text = text.sliced(1);
    bool digits = false;
    bool point = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (isDigit(c))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else if (!(c == '-' && k == 0))
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    double value = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kesmar
