// AIS load: 2000 targets, each reporting 10 times a second. Measured: one
// second of their reports through the whole receive path (sentence check,
// 6-bit payload, decoder, target list), and one paint of all targets with
// vectors, names and CPA over a 1920 x 1080 picture (goal: under 16 ms).
#include "AisTestSupport.h"
#include "core/Viewport.h"
#include "nmea/AisReceiver.h"
#include "nmea/AisTargetList.h"
#include "nmea/AisTargetPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kTargets = 2000;

QGuiApplication& guiApp()
{
    static int argc = 1;
    static char name[] = "bench_aisoverlay";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv); // fonts for the names
    return app;
}

// The Elbe off Cuxhaven, 0.015 minutes a pixel: close enough for names.
kesmar::Viewport view()
{
    kesmar::Viewport v;
    v.startUp(kesmar::PixelRect{0, 0, 1920, 1080});
    v.setView(0.015, -8.75 * 60.0, 53.9 * 60.0);
    return v;
}

// A class A position report as a sentence.
QByteArray report(uint32_t mmsi, double lat, double lon, int speedTenths, int courseTenths, int heading)
{
    kesmar::test::AisBits b;
    b.put(1, 6).put(0, 2).put(mmsi, 30).put(0, 4).putSigned(0, 8).put(uint32_t(speedTenths), 10).put(1, 1);
    b.putSigned(int64_t(lon * 600000), 28).putSigned(int64_t(lat * 600000), 27).put(uint32_t(courseTenths), 12);
    b.put(uint32_t(heading), 9).put(10, 6).put(0, 2).put(0, 3).put(0, 1).put(0, 19);
    int fill = 0;
    const QByteArray payload = b.armoured(&fill);
    return kesmar::test::aivdm(1, 1, "", 'A', payload, fill);
}

std::vector<QByteArray> oneSecondOfReports()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(53.78, 54.02), lon(8.51, 8.99), unit(0.0, 1.0);
    std::vector<QByteArray> sentences;
    for (int round = 0; round < 10; ++round)
        for (int i = 0; i < kTargets; ++i)
            sentences.push_back(report(211000000 + uint32_t(i), lat(random), lon(random), int(unit(random) * 200),
                                       int(unit(random) * 3599), int(unit(random) * 359)));
    return sentences;
}

void receiveOneSecond(benchmark::State& state)
{
    const std::vector<QByteArray> sentences = oneSecondOfReports();
    kesmar::AisReceiver receiver;
    kesmar::AisTargetList list;
    int64_t now = 0;
    for (auto _ : state) {
        for (const QByteArray& s : sentences)
            if (auto m = receiver.receive(s)) list.apply(*m, now);
        now += 1000;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(sentences.size()));
    state.counters["targets"] = double(list.size());
}
BENCHMARK(receiveOneSecond)->Unit(benchmark::kMillisecond);

void paintTargets(benchmark::State& state)
{
    guiApp();
    kesmar::AisReceiver receiver;
    kesmar::AisTargetList list;
    for (const QByteArray& s : oneSecondOfReports())
        if (auto m = receiver.receive(s)) list.apply(*m, 0);
    // A third have names, a tenth are lost.
    for (uint32_t i = 0; i < kTargets; i += 3) {
        kesmar::AisMessage name;
        name.type = 5;
        name.mmsi = 211000000 + i;
        name.shipname = QStringLiteral("TARGET %1").arg(i);
        list.apply(name, i % 10 == 0 ? -7 * 60 * 1000 : 0);
    }
    list.age(0);
    const kesmar::Viewport v = view();
    kesmar::AisTargetPainter::Options options;
    options.own = kesmar::AisCpa::Track{53.9, 8.75, 6.0, 300.0};
    QImage picture(1920, 1080, QImage::Format_RGB32);
    picture.fill(QColor(181, 222, 255));
    QImage target(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(0, 0, picture); // the chart picture the view copies first
        kesmar::AisTargetPainter::paint(painter, v, list, options);
    }
    state.counters["targets"] = double(list.size());
}
BENCHMARK(paintTargets)->Unit(benchmark::kMillisecond);

} // namespace
