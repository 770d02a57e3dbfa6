#pragma once
#include "nmea/NmeaSentence.h"

#include <QByteArrayView>
#include <QVarLengthArray>
#include <optional>

namespace kesmar {

// NMEA 0183 in stages: check (framing, characters, checksum) -> identify
// (address, any talker) -> parse the fields into std::optional values.
// Fields are found by splitting at commas, so layouts with any number of
// decimals in times and minutes read the same as fixed-width ones.
// Locale-independent; never reads outside the given bytes.
class NmeaParser {
public:
    // Runs all stages. `text` is one sentence; a trailing CR/LF is ignored.
    static NmeaSentence parse(QByteArrayView text);

    // Stage 1: '$', printable characters, and a "*hh" checksum (either
    // case) when the sentence carries one. Text after the two hex digits
    // other than CR/LF is a fault.
    static NmeaCheck check(QByteArrayView text);
    // XOR of the bytes between '$' and '*' (or the end).
    static quint8 checksum(QByteArrayView text);
    // Stage 2: the kind from the address; proprietary "$P..." addresses are
    // never taken for a talker "PG" + type.
    static NmeaKind identify(QByteArrayView address);

    // The fields between commas; an empty text is one empty field. Sentences
    // have few fields, so they are kept without allocating.
    using Fields = QVarLengthArray<QByteArrayView, 24>;
    static Fields splitFields(QByteArrayView text);

    // Field readers (also used for the start position and the track file).
    // "ddmm.mmm,N,dddmm.mmm,E": nullopt unless all four fields are present,
    // the hemispheres are N/S and E/W, minutes < 60, and each number has
    // at least four digits before the point (decimal degrees are refused).
    static std::optional<NmeaPosition> parsePosition(QByteArrayView lat, QByteArrayView latHemisphere,
                                                     QByteArrayView lon, QByteArrayView lonHemisphere);
    // "5249.897,S,1005.477,W" as one text.
    static std::optional<NmeaPosition> parsePositionText(QByteArrayView text);
    static std::optional<NmeaTime> parseTime(QByteArrayView field);   // hhmmss[.s...]
    static std::optional<NmeaDate> parseDate(QByteArrayView field);   // ddmmyy
    static std::optional<double> parseNumber(QByteArrayView field);   // [-]digits[.digits]
};

} // namespace kesmar
