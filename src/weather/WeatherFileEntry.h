#pragma once
#include <QString>
#include <cstdint>

namespace kesmar {

// Kind bits of a weather product.
namespace WeatherKind {
inline constexpr uint32_t Navtex = 0x0004;
inline constexpr uint32_t Synop = 0x0008;       // a group of station-file records
inline constexpr uint32_t Fax = 0x0010;
inline constexpr uint32_t NorthSea = 0x0100;
inline constexpr uint32_t Baltic = 0x0200;
inline constexpr uint32_t Europe1 = 0x0400;     // and the northern North Atlantic
inline constexpr uint32_t Europe2 = 0x0800;
inline constexpr uint32_t Mediterranean = 0x1000;
inline constexpr uint32_t Warning = 0x8000;     // text file without any other bit
} // namespace WeatherKind

// One product of the bulletin browser's list.
struct WeatherFileEntry {
    enum class Source { StationFile, TextFile, FaxImage };

    static constexpr int kMaxNameLength = 30;
    static constexpr int kMaxTitleLength = 79;

    QString name;     // upper case, at most 30 characters; empty for station-file groups
    QString path;     // the file as found on disk (its real case and full name)
    uint32_t time = 0; // seconds since 1970 of the local calendar fields
    uint32_t kind = 0;
    QString title;    // at most 79 characters
    Source source = Source::StationFile;

    // "%02d.%02d.%02d %02d:%02d" of the time as local time, two-digit year.
    QString dateText() const;
};

} // namespace kesmar
