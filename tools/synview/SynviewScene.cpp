#include "SynviewScene.h"

#include "chartdata/ChartStartup.h"
#include "core/FileUtil.h"

namespace kesmar {

SynviewScene::SynviewScene(QString programFolder)
    : folder_(std::move(programFolder))
{
}

bool SynviewScene::startUp(QSize size)
{
    const ChartStartup::Result r =
        ChartStartup::startView(folder_, {0, 0, size.width(), size.height()}, config_, catalogue_, viewport_);
    for (const ChartError& e : r.errors) messages_ << e.message();
    if (!r.ok) return false;

    const QString table = programPath(folder_, QString::fromLatin1(StationTable::kFileName));
    const Status tableRead = stationTable_.loadFile(table);
    if (!tableRead)
        messages_ << QStringLiteral("Stationsliste nicht lesbar, Stationen werden nicht geprüft: %1")
                         .arg(tableRead.error().describe());
    const Status loaded = data_.load(folder_, tableRead ? &stationTable_ : nullptr);
    if (!loaded.ok())
        messages_ << QStringLiteral("Keine SYNOP-Daten: %1").arg(loaded.error().describe());
    messages_ << data_.problems();
    if (!data_.times().empty()) setTime(data_.times().back());
    return true;
}

bool SynviewScene::resize(QSize size)
{
    return ChartStartup::resizeView({0, 0, size.width(), size.height()}, viewport_, catalogue_);
}

bool SynviewScene::zoomPan(int code, int left, int right, int top, int bottom)
{
    if (!viewport_.ZoomPan(left, right, top, bottom, code)) return false;
    catalogue_.selectForViewport(viewport_);
    return true;
}

void SynviewScene::setView(double latitude, double longitude, double minutesPerPixel)
{
    setViewMinutes(minutesPerPixel, -longitude * 60.0, latitude * 60.0);
}

void SynviewScene::setViewMinutes(double scale, double xOffset, double yOffset)
{
    viewport_.setView(scale, xOffset, yOffset);
    catalogue_.selectForViewport(viewport_);
}

void SynviewScene::paintChart(QPainter& painter)
{
    DrawOptions options;
    options.colours = ChartPainter::activeColours(config_, false);
    options.detailFlags = config_.detailFlags;
    options.charts = catalogue_.entries();
    options.chartsAvailable = (catalogue_.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    options.programFolder = folder_;
    options.files = &files_;
    const PaintResult result = chartPainter_.paint(painter, viewport_, options);
    if (!chartErrorsShown_) {
        for (const PaintResult::OpenError& e : result.openErrors) messages_ << e.message();
        chartErrorsShown_ = !result.openErrors.empty();
    }
}

void SynviewScene::setChartPicture(const QImage* picture)
{
    layer_.setSeaPicture(picture, ChartPainter::activeColours(config_, false).colour(ColourTable::kBackground).rgb());
}

int SynviewScene::paintStations(QPainter& painter)
{
    return layer_.paint(painter, viewport_, data_, shown_);
}

bool SynviewScene::setTime(uint32_t time)
{
    time_ = time;
    shown_ = data_.indicesAt(time);
    return !shown_.empty();
}

} // namespace kesmar
