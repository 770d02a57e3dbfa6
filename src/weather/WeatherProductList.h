#pragma once
#include "weather/WeatherFileEntry.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kesmar {

// The products the receiving system left below the program folder: groups
// of "SYNOP\STATION.DAT" records by observation time, the text bulletins
// "SYNOP\*.RTF" classified by the bulletin header they carry, and the fax
// images "FAX\FAX_*.BMP"; newest first, at most 500. Rebuilt each time the
// bulletin sheet opens.
class WeatherProductList {
public:
    static constexpr int kMaxEntries = 500;
    static constexpr int kHeaderLines = 20;

    struct HeaderRow {
        int stringId;
        const char16_t* text;
        uint32_t kind;
    };
    // Searched in this order; a later hit names the title.
    static std::span<const HeaderRow> headerTable();

    // The three scans and sorts of the sheet's opening.
    static WeatherProductList build(const QString& programFolder);

    // Each stops once the list is full; missing files and folders add nothing.
    void addStationGroups(const QString& stationFilePath);
    void addTextFiles(const QString& synopFolder);
    void addFaxImages(const QString& faxFolder);
    void sortNewestFirst();

    const std::vector<WeatherFileEntry>& entries() const { return entries_; }
    bool full() const { return static_cast<int>(entries_.size()) >= kMaxEntries; }

    // The time in a name after its first "_": year at 1-4, month 6-7, day
    // 9-10, hour 12-13, minute 15-16 (separators between are any character),
    // taken as local time. No "_", too short or not a calendar time: none.
    static std::optional<uint32_t> nameTime(QStringView name);
    // Kind and title of a text file from its name and its first lines.
    static void classify(WeatherFileEntry& entry);

private:
    std::vector<WeatherFileEntry> entries_;
};

} // namespace kesmar
