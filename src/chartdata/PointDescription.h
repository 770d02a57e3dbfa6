#pragma once
#include "chartdata/PointRecord.h"
#include "core/ChartPoint.h"

#include <QString>
#include <QStringList>

namespace kesmar {

// The German description of a buoyage point shown by the point information:
// position, object type with mark name, colours, signals, the record's text
// and explanations of light qualifiers and Morse letters in that text.
//
// The text uses "\r\n" between lines, as the read-only text box shows it;
// its first line is empty:
//   "\r\n     POS:\t54°12.345N  /   10°05.678E\r\n   TYPE:\tNord-Kardinal Spierentonne"
//   "\r\nCOLOR:\tschwarz / gelb \r\nSIGNAL:\tFeuer\r\n    TEXT:\tQ.W ..."
class PointDescription {
public:
    struct PositionText {
        QString latitude;   // "54°12.345N"
        QString longitude;  // " 10°05.678E"
    };

    // The whole description; empty for a sounding of depth 0.
    static QString build(const PointRecord& record);
    // The description split into the lines of the text box.
    static QStringList lines(const QString& description);

    // Name of object type 0-63 ("Spitztonne"); empty for types without one.
    static QString typeName(int type);
    // Name of colour index 0-15; indices without a name give "schwarz".
    static QString colourName(int index);
    // Mark name of a buoy or beacon (types below 18) by the low modifier bits.
    static QString markName(int modifier, int foreground, int background);
    // Explanations of the light qualifiers found in `text`, " - " between.
    static QString qualifiers(const QByteArray& text);
    // " A = .- " for every "Mo(A" in the text, the second and later ones
    // with one more leading blank; empty without Morse letters.
    static QString morse(const QByteArray& text);
    // "%2d°%06.3f%c" / "%3d°%06.3f%c"; y < 0 is north, x < 0 is west.
    static PositionText position(ChartPoint point);

    // The description of a text box may hold at most this many characters.
    static constexpr int kMaxCharacters = 4096;
};

} // namespace kesmar
