// kesmar-synview [TIME]: the SYNOP weather map, run in a program folder.
// kesmar-synview --render out.png|out.pdf [--time TIME] [--view LAT,LON,SCALE] [--size WxH]
// writes the same map without a window.
#include "SynviewLegend.h"
#include "SynviewOptions.h"
#include "SynviewRender.h"
#include "SynviewScene.h"
#include "SynviewWindow.h"
#include "core/OffscreenGui.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace kesmar;

namespace {

int render(int argc, char** argv, const SynviewOptions& options)
{
    // Fonts only, never a display.
    prepareOffscreenGui();
    QGuiApplication app(argc, argv);
    QStringList messages;
    const bool ok = SynviewRender::run(options, QDir::currentPath(), messages);
    for (const QString& m : messages) std::fprintf(stderr, "%s\n", qPrintable(m));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s\n", SynviewOptions::usage());
            return 0;
        }
    }
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto options = SynviewOptions::parse(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "kesmar-synview: %s\n%s\n", qPrintable(error), SynviewOptions::usage());
        return 2;
    }
    if (!options->renderOutput.isEmpty()) return render(argc, argv, *options);
    if (!options->legendOutput.isEmpty()) {
        prepareOffscreenGui();
        QGuiApplication app(argc, argv);
        if (SynviewLegend::render().save(options->legendOutput, "PNG")) return 0;
        std::fprintf(stderr, "cannot write %s\n", qPrintable(options->legendOutput));
        return 1;
    }

    QApplication app(argc, argv);
    SynviewScene scene(QDir::currentPath());
    if (!scene.startUp(QSize(1024, 700))) {
        QMessageBox::critical(nullptr, QObject::tr("Kesmar"), scene.messages().join(QLatin1Char('\n')));
        return 1;
    }
    SynviewWindow window(scene);
    window.resize(1280, 860);
    if (options->time) window.showTime(*options->time);
    window.show();
    QTimer::singleShot(0, &window, &SynviewWindow::reportProblems);
    return app.exec();
}
