// Speed of the SYNOP decoder and of a whole conversion run.
//   BM_DecodeRealBulletins   the real bulletins of ../shared/synop (skipped when absent)
//   BM_DecodeSynthetic       generated bulletins of the same shape
//   BM_Convert73HourlyFiles  73 hourly files of 1 MB each: scan, decode, duplicate removal
//   BM_RemoveDuplicates      the rewrite of a station file of 500 000 records
#include "weather/StationEntry.h"
#include "weather/StationFileDeduplicator.h"
#include "weather/SynopConversion.h"
#include "weather/StationFileAppender.h"
#include "weather/SynopDecoder.h"
#include "weather/SynopFileContext.h"
#include "weather/SynopTables.h"
#include "weather/SynopTimeWindow.h"
#include "core/QtBytes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

using namespace kesmar;

namespace {

constexpr int kStations = 8000; // numbers 10000 ... 17999, and the Romanian block 15
const QString kBulletinDir = QStringLiteral(KESMAR_SHARED_DIR "/synop/bulletins");

void loadTables(SynopTables& tables)
{
    std::vector<uint8_t> bytes;
    StationEntry centre;
    std::memcpy(centre.indicator.data(), "EDZW", 4);
    centre.setName("OFFENBACH");
    centre.appendTableForm(bytes);
    for (int i = 0; i < kStations; ++i) {
        StationEntry e;
        e.number = static_cast<uint32_t>(10000 + i);
        e.latitudeMinutes = static_cast<int16_t>(-3000 - i % 900);
        e.longitudeMinutes = static_cast<int16_t>(i % 1200);
        e.setName("STATION " + std::to_string(e.number));
        e.appendTableForm(bytes);
    }
    (void)tables.stations().loadBytes(toQByteArray(bytes));
    (void)tables.ttTable().loadBytes("SM Synoptische Meldungen\n");
    (void)tables.aaTable().loadBytes("DL Deutschland\nRO Rumaenien\n");
    (void)tables.textTable().loadBytes("RRMM Nachtrag\nCCMM Berichtigung\n");
    tables.setLoaded(true);
}

// Bulletins for day/hour, 20 reports each, shaped like the Romanian ones.
std::string syntheticHour(int day, int hour, size_t bytes, int firstStation)
{
    char when[16];
    std::snprintf(when, sizeof when, "%02d%02d", day, hour);
    std::string out;
    int station = firstStation;
    int message = 1;
    while (out.size() < bytes) {
        char head[96];
        std::snprintf(head, sizeof head, "\x01\r\r\n%03d\r\r\nSMDL01 EDZW %s00\r\r\nAAXX %s1\r\r\n",
                      message++ % 1000, when, when);
        out += head;
        for (int r = 0; r < 20; ++r, ++station) {
            const int n = 10000 + station % kStations;
            char report[200];
            std::snprintf(report, sizeof report,
                          "%05d 01597 7%02d%02d 1%04d 20%03d 39%03d 42%03d 5%04d 60021 78082 87300 333\r\r\n"
                          "4/000 55304 0//// 20643 3//// 69977 8%d8%02d 91003 91108=\r\r\n",
                          n, n % 36, n % 20, n % 300, n % 200, n % 1000, 600 + n % 100, n % 9000,
                          n % 8 + 1, n % 50);
            out += report;
        }
        out += "\x03";
    }
    return out;
}

std::string realBulletins()
{
    std::string all;
    for (const QString& name : QDir(kBulletinDir).entryList(QDir::Files)) {
        QFile file(QDir(kBulletinDir).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll().toStdString();
    }
    return all;
}

// Lines as the conversion reads them: up to LF, 199 characters at most.
void feedAll(SynopDecoder& decoder, const std::string& text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const size_t limit = std::min<size_t>(SynopDecoder::kMaxLineLength, size_t(end - p));
        const void* lf = std::memchr(p, '\n', limit);
        const size_t length = lf ? size_t(static_cast<const char*>(lf) - p) + 1 : limit;
        decoder.FeedSynopLine(std::string_view(p, length));
        p += length;
    }
}

void decodeBenchmark(benchmark::State& state, const std::string& text)
{
    SynopTables tables;
    loadTables(tables);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    const SynopTimeWindow window = SynopTimeWindow::fromUtcFields(2023, 1, 18, 12, 30);
    const int64_t fileTime = SynopTimeWindow::localTimeValue(2023, 1, 18, 12, 0, 0);
    size_t reports = 0;
    for (auto _ : state) {
        // The records go to the station file, as in a conversion.
        StationFileAppender appender(dir.path());
        SynopDecoder decoder(tables, [&appender](const SynopRecord& record) { appender.append(record); });
        decoder.SetSynopFileContext(SynopFileContext::forFile(2023, 1, 18, 12, fileTime, window));
        decoder.BeginSynopFile();
        feedAll(decoder, text);
        decoder.EndSynopFile();
        (void)appender.flush();
        reports = decoder.reportsWritten();
        state.PauseTiming();
        QFile::remove(dir.filePath(QStringLiteral("SYNOP/STATION.DAT")));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["reports"] = double(reports);
}

void BM_DecodeRealBulletins(benchmark::State& state)
{
    const std::string once = realBulletins();
    if (once.empty()) {
        state.SkipWithError("no bulletins in " KESMAR_SHARED_DIR "/synop/bulletins");
        return;
    }
    std::string text;
    while (text.size() < (8u << 20))
        text += once;
    decodeBenchmark(state, text);
}
BENCHMARK(BM_DecodeRealBulletins)->Unit(benchmark::kMillisecond);

void BM_DecodeSynthetic(benchmark::State& state)
{
    decodeBenchmark(state, syntheticHour(18, 12, 8u << 20, 0));
}
BENCHMARK(BM_DecodeSynthetic)->Unit(benchmark::kMillisecond);

void BM_Convert73HourlyFiles(benchmark::State& state)
{
    SynopTables tables;
    loadTables(tables);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    const SynopTimeWindow window = SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30);
    int64_t total = 0;
    for (int i = 0; i <= SynopTimeWindow::kHours; ++i) {
        const std::tm f = SynopTimeWindow::localFields(window.hourTime(i));
        // Each file ends with late reports of the hour before: duplicates.
        std::string text = syntheticHour(f.tm_mday, f.tm_hour, 900u << 10, i * 1000);
        if (i > 0) {
            const std::tm p = SynopTimeWindow::localFields(window.hourTime(i - 1));
            text += syntheticHour(p.tm_mday, p.tm_hour, (1u << 20) - text.size(), (i - 1) * 1000);
        }
        QFile file(dir.filePath(QStringLiteral("SYNOP/")
                                + SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour)));
        file.open(QIODevice::WriteOnly);
        file.write(text.data(), qint64(text.size()));
        total += qint64(text.size());
    }
    size_t written = 0, removed = 0;
    for (auto _ : state) {
        SynopConversion conversion(dir.path(), tables);
        conversion.setLinesPerStep(100000);
        conversion.scan(window);
        conversion.run();
        written = conversion.reportsWritten();
        removed = conversion.duplicateRemoval().removed();
        state.PauseTiming();
        QFile::remove(dir.filePath(QStringLiteral("SYNOP/STATION.DAT")));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * total);
    state.counters["reports"] = double(written);
    state.counters["duplicates"] = double(removed);
}
BENCHMARK(BM_Convert73HourlyFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RemoveDuplicates(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    const QString source = dir.filePath(QStringLiteral("SYNOP/SOURCE.DAT"));
    const QString target = dir.filePath(QStringLiteral("SYNOP/STATION.DAT"));
    {
        QFile file(source);
        file.open(QIODevice::WriteOnly);
        SynopRecord r;
        for (uint32_t i = 0; i < 500000; ++i) {
            r.stationEntry.number = 10000 + i % 8000;
            r.observationTime = 1000 + (i % 450000) / 8000 * 3600; // one in ten is repeated
            const auto bytes = r.serialise();
            file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        }
    }
    size_t removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        QFile::copy(source, target);
        state.ResumeTiming();
        removed = StationFileDeduplicator(dir.path()).run().removed();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 500000 * int64_t(SynopRecord::kSize));
    state.counters["duplicates"] = double(removed);
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
