// kesmar-render [--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE] out.png|out.pdf
//
// Run in a program folder like kesmar itself: loads CHARTDATA/CHART.CFG and
// CHARTLIST.LST (or the default chart set), sets the view up at the given
// size at the stored position and writes the picture the chart view paints.
// A .pdf output gets the printed page instead (printer colours, page frame).
#include "RenderJob.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Needs fonts for the page, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    auto job = kesmar::RenderJob::parse(app.arguments().mid(1), &error);
    if (!job) {
        std::fprintf(stderr, "kesmar-render: %s\nusage: kesmar-render [--size WxH] [--vessel LAT,LON] [--view LAT,LON,SCALE] out.png|out.pdf\n",
                     qPrintable(error));
        return 2;
    }
    job->programFolder = QDir::currentPath();
    QStringList errors;
    const bool ok = job->run(errors);
    for (const QString& e : errors) std::fprintf(stderr, "%s\n", qPrintable(e));
    return ok ? 0 : 1;
}
