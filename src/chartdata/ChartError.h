#pragma once
#include "core/Error.h"

#include <QString>

namespace kesmar {

// An error of the chart catalogue or configuration files, returned as a value:
// the file, record and reason of every Error, plus what the program's message
// box says about it; the widget layer shows message() captioned "Kesmar".
struct ChartError : Error {
    enum class Kind {
        HeaderMissing,  // <name>.HDR cannot be opened or is shorter than 64 bytes
        CatalogueFull,  // the catalogue already holds 100 charts
        NameTooLong,    // more than 68 characters do not fit the record
        WriteFailed,    // a file could not be replaced
    };
    Kind kind = Kind::HeaderMissing;
    QString chart;    // chart name where it applies

    // The program's text for the message box, e.g. "OPEN ERROR CHART HEADER WORLDMAP.HDR".
    QString message() const;

    // A file that could not be replaced, with the system's reason.
    static ChartError writeFailed(const QString& path, const QString& reason);
    static ChartError writeFailed(const Error& failure) { return writeFailed(failure.file, failure.reason); }
};

} // namespace kesmar
