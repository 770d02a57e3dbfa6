#pragma once
#include <QString>
#include <QtGlobal>

namespace kesmar {

// What the AIS input did with the sentences it got; the NMEA monitor shows
// the counts so that a receiver sending damaged data can be told apart from
// one sending nothing.
struct AisCounters {
    qint64 decoded = 0;          // messages decoded
    qint64 unsupported = 0;      // well-formed, but a type the plotter does not use
    qint64 badSentences = 0;     // checksum missing or wrong, fields malformed
    qint64 droppedFragments = 0; // lost, out-of-order or interleaved fragments
    qint64 badCharacters = 0;    // payload character outside the 6-bit alphabet
    qint64 badFillBits = 0;      // fill bits outside 0-5 or before the last fragment
    qint64 tooShort = 0;         // fewer bits than the message type needs

    qint64 dropped() const
    {
        return badSentences + droppedFragments + badCharacters + badFillBits + tooShort;
    }

    // One line for the monitor.
    QString summary() const
    {
        return QStringLiteral("AIS: %1 Meldungen, verworfen: %2 (Prüfsumme/Format %3, Fragmente %4, "
                              "Zeichen %5, Füllbits %6, zu kurz %7)")
            .arg(decoded)
            .arg(dropped())
            .arg(badSentences)
            .arg(droppedFragments)
            .arg(badCharacters)
            .arg(badFillBits)
            .arg(tooShort);
    }
};

} // namespace kesmar
