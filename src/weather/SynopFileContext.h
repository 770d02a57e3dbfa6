#pragma once
#include <cstdint>

namespace kesmar {

struct SynopTimeWindow;

// What the decoder needs to know about the bulletin file it is fed.
struct SynopFileContext {
    // Day YY, hour GG, minute gg of a report become
    // baseTime + ((YY * 24 + GG) * 60 + gg) * 60.
    int64_t baseTime = 0;         // local 00:00 on day 1 of the file's month, minus 82 800 s
    int64_t previousBaseTime = 0; // the same for the month before (0: none)
    int64_t earliestTime = 0;     // valid report times, both ends inclusive
    int64_t latestTime = 0;
    uint16_t fileIndex = 0;       // stored in every record written from the file
    int64_t defaultTime = 0;      // the file's hour; stands in for missing times

    // The context of the hourly file YYYYMMDDHH whose hour has the time value
    // fileTime, inside the conversion window.
    static SynopFileContext forFile(int year, int month, int day, int hour, int64_t fileTime,
                                    const SynopTimeWindow& window);
    // Local 00:00:00 on day 1 of the month, minus 82 800 s.
    static int64_t monthBaseTime(int year, int month);
};

} // namespace kesmar
