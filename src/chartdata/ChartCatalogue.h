#pragma once
#include "chartdata/ChartEntry.h"
#include "chartdata/ChartError.h"
#include "core/ChartPoint.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kesmar {

class Viewport;

// The charts in use, at most 100, kept coarsest first (descending natural
// scale, then north to south, then west to east), which is also the drawing
// order: finer charts paint over coarser ones. A copyable value: the settings
// sheet keeps a backup copy, every mini window selects on its own copy.
class ChartCatalogue {
public:
    static constexpr int kCapacity = 100;

    // Bits of the charts-available word published by the selection.
    enum Available : uint32_t {
        AnyVisible = 0x1, // at least one chart is visible; nothing is drawn while clear
        BestFound = 0x2,  // a chart covers the whole viewport
    };

    ChartCatalogue() = default;

    int count() const { return int(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    const std::vector<ChartEntry>& entries() const { return entries_; }
    const ChartEntry& entry(int index) const { return entries_[size_t(index)]; }
    // Line drawing marks LinFailed / WpnFailed on the live entry.
    void setFlags(int index, uint16_t bits) { entries_[size_t(index)].flags |= bits; }
    // Index of the first entry whose name equals `name` exactly, or -1.
    int indexOf(const QString& name) const;
    uint32_t chartsAvailable() const { return available_; }

    // The main view's client size in pixels; natural scales depend on it.
    // Sizes below 1 are taken as 1.
    void setViewSize(int width, int height);
    int viewWidth() const { return viewWidth_; }
    int viewHeight() const { return viewHeight_; }

    // Minutes per pixel at which the larger extent of `box` spans four view
    // widths (or heights, with the vertical factor 0.71).
    double naturalScale(const ChartBox& box) const;

    // Reads <ProgramFolder>/CHARTDATA/<name>.HDR, appends the chart and sorts.
    // An empty name does nothing (nullopt). Refused with an error: a 101st
    // chart, a name over 68 characters, a missing or short header.
    std::optional<ChartError> addChart(const QString& programFolder, const QString& name);
    // The same with a header in hand (chart builder, tests). Sorts.
    std::optional<ChartError> addHeader(const QString& name, const ChartHeader& header);
    // Removes the first entry named exactly `name` (case-sensitive); false if none.
    bool removeChart(const QString& name);
    // Bubble sort into drawing order; of two neighbours whose names are equal
    // ignoring case the second is dropped, and twins that never became
    // neighbours lose the later one.
    void sort();
    // Recomputes every scale ("WORLDMAP" gets the world scale 21600 / view
    // width), resets visible boxes and flags, sorts. The caller selects next
    // (selectForViewport) since the viewport lives above this layer.
    void rescaleAll();
    // Selection against a viewport box (ChartPoint units) and view scale
    // (minutes per pixel): sets Visible/Suppressed/Best, the visible boxes and
    // the charts-available word.
    void selectForBox(const ChartBox& viewBox, double viewScale);
    void selectForViewport(const Viewport& viewport);
    // rescaleAll() then selectForViewport().
    void rescaleAndSelect(const Viewport& viewport);

    // --- CHARTLIST.LST -----------------------------------------------------------
    static QString listPath(const QString& programFolder);
    // Replaces the entries by the records of a list image: up to 100 whole
    // records of 162 bytes, taken as they are; a trailing partial record is ignored.
    void readList(std::span<const uint8_t> bytes);
    QByteArray listBytes() const;
    // false when the file cannot be opened (the entries are then untouched).
    bool loadList(const QString& programFolder);
    // Writes the list atomically; an empty catalogue writes nothing and
    // leaves the old file on disk.
    std::optional<ChartError> saveList(const QString& programFolder) const;

    // --- built-in chart set ----------------------------------------------------------
    // "WORLDMAP", "EUROPA", "NORDS-S", "BALT-S", "MEDI-W_A", "MEDI-W_B".
    static QStringList defaultChartNames();
    // Adds the default set quietly; the errors of missing headers are returned
    // for whoever wants them, the present ones are added.
    std::vector<ChartError> addDefaultSet(const QString& programFolder);

    void clear() { entries_.clear(); available_ = 0; }

private:
    bool shouldSwap(const ChartEntry& a, const ChartEntry& b) const;
    bool eraseLaterDuplicate();

    std::vector<ChartEntry> entries_;
    uint32_t available_ = 0;
    int viewWidth_ = 1024;
    int viewHeight_ = 768;
};

} // namespace kesmar
