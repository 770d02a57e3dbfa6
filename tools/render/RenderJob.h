#pragma once
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

    // Parses "[--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE]
    // out.png|out.pdf" (LAT, LON in
    // decimal degrees, north and east positive). nullopt with `error` set on
    // bad arguments.
    static std::optional<RenderJob> parse(const QStringList& arguments, QString* error);

    // Renders; open errors of chart files and write failures go to `errors`.
    // Returns false when the output could not be written.
    bool run(QStringList& errors) const;

private:
    bool renderPicture(QStringList& errors) const;
    bool renderPage(QStringList& errors) const;
};

} // namespace kesmar
