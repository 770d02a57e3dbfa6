// NMEA input speed: parsing alone and the whole receive path per sentence
// (log, parse, state, coalesced display).
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaParser.h"
#include "nmea/VesselState.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

const QByteArray kSentences[] = {
    "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E*68",
    "$GNGGA,014500.00,4404.1306024,N,12118.8446777,W,2,12,0.49,1129.913,M,-21.350,M,,0278*4C",
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48",
    "$GPGSV,3,1,11,01,78,221,47,03,09,042,00,04,05,242,00,06,04,149,00*70",
};

void parseSentences(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(kesmar::NmeaParser::parse(kSentences[i++ % std::size(kSentences)]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(parseSentences);

void receivePath(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "bench_nmea";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // the display timer needs it
    kesmar::VesselState vessel;
    kesmar::NmeaLog log;
    kesmar::NmeaInput input(vessel, log);
    input.setDisplayInterval(1000000); // coalesced: the GUI sees none of it
    size_t i = 0;
    for (auto _ : state)
        input.receiveDatagram(kSentences[i++ % std::size(kSentences)]);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(receivePath);

} // namespace
