// kesmar-render [--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE] out.png|out.pdf
// kesmar-render [--size WxH] [--view LAT,LON,SCALE] --info X,Y
//
// Run in a program folder like kesmar itself: loads CHARTDATA/CHART.CFG and
// CHARTLIST.LST (or the default chart set), sets the view up at the given
// size at the stored position and writes the picture the chart view paints.
// A .pdf output gets the printed page instead (printer colours, page frame).
// --info prints the point information of the buoyage point nearest to pixel
// (X, Y), one line per line of the information window, or nothing and exit
// status 1 when no point is near.
#include "RenderJob.h"

#include "core/OffscreenGui.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: kesmar-render [--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE] out.png|out.pdf|--info X,Y\n";

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    // Needs fonts for the page, never a display.
    kesmar::prepareOffscreenGui();
    QGuiApplication app(argc, argv);
    QString error;
    auto job = kesmar::RenderJob::parse(app.arguments().mid(1), &error);
    if (!job) {
        std::fprintf(stderr, "kesmar-render: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    job->programFolder = QDir::currentPath();
    QStringList errors;
    if (job->infoPixel) {
        QStringList lines;
        const bool found = job->pointInfo(lines, errors);
        for (const QString& e : errors) std::fprintf(stderr, "%s\n", qPrintable(e));
        for (const QString& line : lines) std::printf("%s\n", line.toUtf8().constData());
        return found ? 0 : 1;
    }
    const bool ok = job->run(errors);
    for (const QString& e : errors) std::fprintf(stderr, "%s\n", qPrintable(e));
    return ok ? 0 : 1;
}
