#include "NmeaCsvPrinter.h"

#include "nmea/NmeaInput.h"
#include "nmea/NmeaParser.h"

#include <cstdio>

namespace kesmar {
namespace {

// The sentence name for the first column: letters and digits only, so the
// CSV stays well-formed whatever the receiver sent.
QByteArray sentenceName(QByteArrayView sentence)
{
    QByteArray name;
    for (qsizetype i = 1; i < sentence.size() && name.size() < 16; ++i) {
        const char c = sentence[i];
        if (c == ',' || c == '*')
            break;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            name.append(c);
    }
    return name;
}

} // namespace

QByteArray NmeaCsvPrinter::line(QByteArrayView sentence)
{
    const NmeaSentence s = NmeaParser::parse(sentence);
    const NmeaApplied a = NmeaInput::apply(s, state_);
    positionKnown_ |= a.positionStored;
    timeKnown_ |= a.timeRead;
    dateKnown_ |= a.dateRead;
    speedKnown_ |= a.speedKnots.has_value();
    courseKnown_ |= a.courseTrue.has_value();

    char buffer[160];
    QByteArray out = sentenceName(sentence);
    out += ',';
    if (timeKnown_) {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", state_.hour, state_.minute, state_.second);
        out += buffer;
    }
    out += ',';
    if (dateKnown_) {
        std::snprintf(buffer, sizeof buffer, "%02d.%02d.%02d", state_.day, state_.month, state_.year);
        out += buffer;
    }
    out += ',';
    if (positionKnown_) {
        std::snprintf(buffer, sizeof buffer, "%.6f,%.6f", state_.latitudeMinutes / 60.0,
                      state_.longitudeMinutes / 60.0);
        out += buffer;
    } else {
        out += ',';
    }
    out += ',';
    if (speedKnown_) {
        std::snprintf(buffer, sizeof buffer, "%.2f", state_.speedKnots);
        out += buffer;
    }
    out += ',';
    if (courseKnown_)
        out += QByteArray::number(state_.courseDegrees);
    return out;
}

} // namespace kesmar
