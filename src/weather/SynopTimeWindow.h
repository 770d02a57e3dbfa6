#pragma once
#include <cstdint>
#include <ctime>

namespace kesmar {

// Time values of the SYNOP side: seconds since 1970 as the C library makes
// them from calendar fields taken as LOCAL time. The observation times of the
// reports are UTC, yet they are turned into time values the same way, and so
// is the current time (its UTC fields read as local time), so that window and
// reports agree in every time zone.
//
// The conversion looks at the hourly files of the last 72 hours: hour i of
// the window (i = 0..72) has the time value start + i * 3600.
struct SynopTimeWindow {
    static constexpr int kHours = 72;
    static constexpr int64_t kHourSeconds = 3600;

    int64_t start = 0;    // time value of hour 0, a whole hour
    int64_t earliest = 0; // first valid report time
    int64_t latest = 0;   // last valid report time (inclusive)

    int64_t hourTime(int i) const { return start + i * kHourSeconds; }

    // The window for the current time given as UTC calendar fields.
    static SynopTimeWindow fromUtcFields(int year, int month, int day, int hour, int minute);
    static SynopTimeWindow fromNow(std::time_t now);

    // mktime of local calendar fields; isDst -1 lets the library decide.
    static int64_t localTimeValue(int year, int month, int day, int hour, int minute,
                                  int second, int isDst = -1);
    // Calendar fields of a time value broken down as local time.
    static std::tm localFields(int64_t timeValue);
};

} // namespace kesmar
