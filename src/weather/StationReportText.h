#pragma once
#include "weather/SynopRecord.h"

#include <QString>
#include <QStringList>

namespace kesmar {

// The decoded report of one station as German text for the user: station
// name and number (or call sign), observation time, the bulletin with the
// code texts of DATA the decoder stored, then every value whose validity bit
// is set, each with its unit or code-table text.
class StationReportText {
public:
    static QString build(const SynopRecord& record);
    static QStringList lines(const SynopRecord& record);
    // Time values of reports run this far ahead of the hour observed.
    static constexpr int kReportHourLead = 3600;

    // "07.12.2026 12:00 UTC" of a report's time value (made from the
    // report's UTC fields as calendar fields of the local time zone).
    static QString timeText(uint32_t timeValue);
    // "1013,2" of tenths; German decimal comma.
    static QString decimal(double value, int decimals);
};

} // namespace kesmar
