#pragma once
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "core/Viewport.h"
#include "weather/StationTable.h"
#include "weather/SynopMapData.h"
#include "weather/SynopMapLayer.h"

#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kesmar {

// Everything the weather map shows, without a window: the charts of the
// program folder through the plotter's chart painter and viewport, the
// station file with the station table of DATA, and the station models of
// one observation time. The window and --render both draw through it.
class SynviewScene {
public:
    explicit SynviewScene(QString programFolder);

    // Chart start-up for a window of `size` (stored view position, chart
    // list), then the station table and the station file. Problems that do
    // not stop the map go to messages().
    bool startUp(QSize size);
    // A new window size; false when it has no area.
    bool resize(QSize size);
    // One Viewport::ZoomPan step, then the charts are re-selected.
    bool zoomPan(int code, int left = 0, int right = 0, int top = 0, int bottom = 0);
    // Centre in degrees (north, east positive) and minutes per pixel.
    void setView(double latitude, double longitude, double minutesPerPixel);
    // Scale and offsets directly (wheel zoom keeps the point under the mouse).
    void setViewMinutes(double scale, double xOffset, double yOffset);

    void paintChart(QPainter& painter);
    // Returns the number of station models drawn.
    int paintStations(QPainter& painter);

    const SynopMapData& data() const { return data_; }
    // Reads the station file again (a conversion ran); keeps the shown time
    // when it is still there, else shows the latest. Returns the new problems.
    QStringList reloadStations()
    {
        const Status loaded = data_.load(folder_, stationTable_.isEmpty() ? nullptr : &stationTable_);
        QStringList problems = data_.problems();
        if (!loaded.ok()) problems.prepend(QStringLiteral("Keine SYNOP-Daten: %1").arg(loaded.error().describe()));
        const auto& t = data_.times();
        setTime(std::find(t.begin(), t.end(), time_) != t.end() || t.empty() ? time_ : t.back());
        return problems;
    }
    uint32_t time() const { return time_; }
    // Shows the records of `time`; false (nothing shown) when there are none.
    bool setTime(uint32_t time);
    const std::vector<int>& shownStations() const { return shown_; }
    const SynopMapLayer& layer() const { return layer_; }
    void setVectorOutput(bool on) { layer_.setVectorOutput(on); }
    // The chart picture the stations are drawn over, for telling coastal
    // stations (null: none). Kept by the caller.
    void setChartPicture(const QImage* picture);
    const Viewport& viewport() const { return viewport_; }
    const QString& programFolder() const { return folder_; }

    // German lines about what could not be read or drawn.
    const QStringList& messages() const { return messages_; }

private:
    QString folder_;
    ChartConfig config_;
    ChartCatalogue catalogue_;
    Viewport viewport_;
    LineFileCache files_;
    ChartPainter chartPainter_;
    StationTable stationTable_;
    SynopMapData data_;
    SynopMapLayer layer_;
    uint32_t time_ = 0;
    std::vector<int> shown_;
    QStringList messages_;
    bool chartErrorsShown_ = false;
};

} // namespace kesmar
