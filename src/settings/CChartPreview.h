#pragma once
#include "chartdata/ChartHeader.h"
#include "chartdata/ColourTable.h"
#include "core/Viewport.h"

#include <QImage>
#include <QSet>
#include <QWidget>

#include <functional>
#include <optional>

namespace kesmar {

class LineFileCache;

// A preview map of the "Select Charts" page: one chart, all its line layers
// (no details switched off, no buoyage), on a viewport of its own that the
// mouse zooms with an aspect-kept rubber band.
class CChartPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinBand = 10;

    CChartPreview(int id, QString programFolder, LineFileCache* files, std::function<ColourTable()> colours,
                  QWidget* parent = nullptr);

    void setChartName(const QString& name) { chartName_ = name; }
    const QString& chartName() const { return chartName_; }
    // Takes the client size, world scale and minimum scale, then fits.
    void initialise();
    // Centres the chart and scales it to fit by width or height; false (and
    // the viewport kept) when its header cannot be read.
    bool fitToChart();
    // Zoom to a rectangle of preview pixels.
    void zoomTo(int left, int right, int top, int bottom);
    void showWholeWorld();
    const Viewport& viewport() const { return viewport_; }
    // The chart outline of the upper preview, drawn inverted; none to remove it.
    void setOutline(std::optional<QRect> outline);
    const std::optional<QRect>& outline() const { return outline_; }
    // The four corners of a header in pixels of this preview, limited to its area.
    QRect outlineOf(const ChartHeader& header) const;
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }
    QImage render();

signals:
    void zoomed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void report(const QString& message);
    QRect band() const;
    void follow(QPoint at);

    QString folder_;
    LineFileCache* files_;
    std::function<ColourTable()> colours_;
    QString chartName_;
    Viewport viewport_;
    std::optional<QRect> outline_;
    bool busy_ = false;
    QPoint bandStart_;
    QPoint bandEnd_;
    QImage picture_;
    QSet<QString> reported_;
    std::function<void(const QString&)> messageSink_;
};

} // namespace kesmar
