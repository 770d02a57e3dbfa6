#pragma once
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kesmar {

// The command line of kesmar-synview:
//   kesmar-synview [TIME]
//   kesmar-synview --render out.png|out.pdf [--time TIME] [--view LAT,LON,SCALE] [--size WxH]
//   kesmar-synview --legend out.png
// TIME is the time value the plotter passes (seconds since 1970), or
// YYYYMMDDHH as in the names of the SYNOP files, or YYYY-MM-DDTHH:MM.
struct SynviewOptions {
    std::optional<uint32_t> time;
    QString renderOutput;
    QString legendOutput; // --legend out.png: the key to the symbols
    std::optional<double> viewLatitude, viewLongitude, viewScale;
    QSize size{1280, 800};

    // nullopt with `error` set on bad arguments.
    static std::optional<SynviewOptions> parse(const QStringList& arguments, QString* error);
    // A TIME argument as a time value, nullopt when it is none of the forms.
    static std::optional<uint32_t> parseTime(const QString& text);
    static const char* usage();
};

} // namespace kesmar
