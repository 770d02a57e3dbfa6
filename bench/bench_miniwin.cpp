// Frame gaps of the plotter's GUI thread with the chart view and four mini
// windows open while the receiver sends 10 000 sentences a second and the
// view and a mini window are panned every 50 ms. The counter max_gap_ms is
// the longest time between two 5 ms heartbeat ticks (goal: under 100 ms).
// KESMAR_CHART_DIR names a program folder with charts (scripts/build-charts);
// without it the windows draw the background only.
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "miniwin/CMiniWindow.h"
#include "miniwin/MiniWindowSet.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/VesselState.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace kesmar;

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_miniwin";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *qApp;
}

QByteArray rmc(int step)
{
    // Eastward along 54 N from 8 E, a thousandth of a minute per sentence.
    const double minutes = 480.0 + step * 0.001;
    char body[128];
    std::snprintf(body, sizeof body, "GPRMC,120000,A,5400.000,N,%03d%06.3f,E,010.0,090.0,070126,,", int(minutes) / 60,
                  minutes - 60 * (int(minutes) / 60));
    unsigned char sum = 0;
    for (const char* p = body; *p; ++p) sum ^= static_cast<unsigned char>(*p);
    char line[160];
    std::snprintf(line, sizeof line, "$%s*%02X\r\n", body, sum);
    return QByteArray(line);
}

struct Plotter {
    QTemporaryDir empty;
    QString folder = qEnvironmentVariableIsEmpty("KESMAR_CHART_DIR") ? empty.path()
                                                                      : qEnvironmentVariable("KESMAR_CHART_DIR");
    StartupPhase phase = StartupPhase::BeforeViewStart;
    Viewport viewport;
    ChartCatalogue catalogue;
    ChartConfig config;
    VesselState vessel;
    CommandSet commands;
    NmeaLog log;
    QWidget frame;
    CKesmarView* view = nullptr;
    MiniWindowSet* set = nullptr;
    NmeaInput* input = nullptr;

    Plotter()
    {
        frame.setGeometry(0, 0, 1024, 700);
        view = new CKesmarView(ChartViewContext{folder, phase, viewport, catalogue, config, vessel, commands}, &frame);
        view->setGeometry(0, 0, 1024, 700);
        set = new MiniWindowSet(*view, frame);
        set->setMessageSink([](const QString&) {});
        input = new NmeaInput(vessel, log, &frame);
        QObject::connect(input, &NmeaInput::vesselMoved, view, qOverload<>(&QWidget::update));
        frame.show();
        view->initialUpdate();
        set->restoreAll();
        viewport.setView(0.05, -480.0, 3240.0);
        catalogue.selectForViewport(viewport);
        for (int n = 0; n < 4; ++n) set->openFromDrag(QRect(40 + 240 * n, 400, 220, 160));
    }
};

// Resident memory in MB, to see that long runs stay flat.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0.0;
}

// KESMAR_MINIWIN_SECONDS lengthens each round, e.g. 200 for ten minutes in all.
int roundMilliseconds()
{
    const int seconds = qEnvironmentVariableIntValue("KESMAR_MINIWIN_SECONDS");
    return seconds > 0 ? seconds * 1000 : 2000;
}

void BM_FrameGapFourMiniWindows(benchmark::State& state)
{
    application();
    Plotter plotter;
    int step = 0;
    qint64 worstGap = 0;
    double firstRoundMegabytes = 0.0;
    for (auto _ : state) {
        QEventLoop loop;
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 maxGap = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            maxGap = std::max(maxGap, now - last);
            last = now;
        });
        QTimer feed;
        feed.setTimerType(Qt::PreciseTimer);
        const int first = step;
        QObject::connect(&feed, &QTimer::timeout, [&] {
            // Catch up to 10 sentences per millisecond whatever the timer does.
            const qint64 due = first + clock.elapsed() * 10;
            while (step < due) plotter.input->receiveDatagram(rmc(step++));
        });
        QTimer pan;
        int panStep = 0;
        QObject::connect(&pan, &QTimer::timeout, [&] {
            const int code = (panStep++ / 4) % 2 ? Viewport::PanLeft : Viewport::PanRight;
            plotter.view->zoomPan(code);
            plotter.set->window(1 + panStep % 4).zoomPan(code);
        });
        clock.start();
        heartbeat.start(5);
        feed.start(1);
        pan.start(50);
        QTimer::singleShot(roundMilliseconds(), &loop, &QEventLoop::quit);
        loop.exec();
        worstGap = std::max(worstGap, maxGap);
        if (firstRoundMegabytes == 0.0)
            firstRoundMegabytes = residentMegabytes();
        state.counters["rss_after_first_round_mb"] = firstRoundMegabytes;
        state.counters["rss_mb"] = residentMegabytes();
        state.counters["max_gap_ms"] = double(worstGap);
        state.counters["sentences_per_s"] = double(step - first) / (double(clock.elapsed()) / 1000.0);
    }
}

} // namespace

BENCHMARK(BM_FrameGapFourMiniWindows)->Iterations(3)->Unit(benchmark::kMillisecond);
