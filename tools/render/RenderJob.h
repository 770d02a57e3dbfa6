#pragma once
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace kesmar {

// One run of kesmar-render: the picture the chart view would paint at a given
// window size, or the printed page, from the program folder's settings.
struct RenderJob {
    QSize size{1024, 768};
    std::optional<double> vesselLatitudeMinutes;   // north positive
    std::optional<double> vesselLongitudeMinutes;  // east positive
    // --view LAT,LON,SCALE: centre in degrees and minutes per pixel instead of
    // the stored view position.
    std::optional<double> viewLatitude, viewLongitude, viewScale;
    QString output;
    QString programFolder;
    // --info X,Y: print the point information of pixel (X, Y) instead of a picture.
    std::optional<QPoint> infoPixel;

    // Parses "[--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE]
    // out.png|out.pdf|--info X,Y" (LAT, LON in
    // decimal degrees, north and east positive). nullopt with `error` set on
    // bad arguments.
    static std::optional<RenderJob> parse(const QStringList& arguments, QString* error);

    // Renders; open errors of chart files and write failures go to `errors`.
    // Returns false when the output could not be written.
    bool run(QStringList& errors) const;

    // --info: the hit test at the pixel; writes the lines of the point
    // information to `lines`. false when no point is near.
    bool pointInfo(QStringList& lines, QStringList& errors) const;

private:
    bool renderPicture(QStringList& errors) const;
    bool renderPage(QStringList& errors) const;
};

} // namespace kesmar
