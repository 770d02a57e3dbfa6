#pragma once
#include <QString>

namespace kesmar {

// An error of the chart catalogue or configuration files, returned as a value;
// the widget layer turns message() into a message box captioned "Kesmar".
struct ChartError {
    enum class Kind {
        HeaderMissing,  // <name>.HDR cannot be opened or is shorter than 64 bytes
        CatalogueFull,  // the catalogue already holds 100 charts
        NameTooLong,    // more than 68 characters do not fit the record
        WriteFailed,    // a file could not be replaced
    };
    Kind kind = Kind::HeaderMissing;
    QString file;     // the path concerned
    int record = -1;  // record index where it applies, else -1
    QString chart;    // chart name where it applies
    QString reason;   // technical detail (system error text, "64 bytes expected", ...)

    // The program's text for the message box, e.g. "OPEN ERROR CHART HEADER WORLDMAP.HDR".
    QString message() const;

    // A file that could not be replaced, with the system's reason.
    static ChartError writeFailed(const QString& path, const QString& reason);
};

} // namespace kesmar
