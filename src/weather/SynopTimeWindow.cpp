#include "weather/SynopTimeWindow.h"

namespace kesmar {

int64_t SynopTimeWindow::localTimeValue(int year, int month, int day, int hour, int minute,
                                        int second, int isDst)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = isDst;
    return static_cast<int64_t>(std::mktime(&fields));
}

std::tm SynopTimeWindow::localFields(int64_t timeValue)
{
    const auto t = static_cast<std::time_t>(timeValue);
    std::tm fields{};
    localtime_r(&t, &fields);
    return fields;
}

SynopTimeWindow SynopTimeWindow::fromUtcFields(int year, int month, int day, int hour, int minute)
{
    // The UTC fields taken as local time. Daylight saving is left to the
    // library as for every other time value: forced off, the window and the
    // file names would run an hour ahead all summer, so the newest file
    // would be looked for before it can exist.
    const int64_t now = localTimeValue(year, month, day, hour, minute, 0);
    SynopTimeWindow window;
    const int64_t first = now - kHours * kHourSeconds;
    // Round down to a whole hour, also for values before 1970.
    window.start = first - (((first % kHourSeconds) + kHourSeconds) % kHourSeconds);
    window.earliest = window.start;
    // Report times are one hour ahead of the hour they were observed in (the
    // month base is 23 hours before day 1, not 24), so the window's last hour
    // must reach one hour further, or the reports of the current hour, found
    // in the newest file, would all be rejected.
    window.latest = window.start + (kHours + 1) * kHourSeconds;
    return window;
}

SynopTimeWindow SynopTimeWindow::fromNow(std::time_t now)
{
    std::tm utc{};
    gmtime_r(&now, &utc);
    return fromUtcFields(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min);
}

} // namespace kesmar
