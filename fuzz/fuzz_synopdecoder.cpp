// The SYNOP decoder, its line rewriting and the duplicate test on arbitrary
// bytes. The program folder has no SYNOP folder, so closing a report takes
// the silent path of a station file that cannot be opened.
#include "weather/StationEntry.h"
#include "weather/StationFileDeduplicator.h"
#include "weather/SynopDecoder.h"
#include "weather/SynopFileContext.h"
#include "weather/SynopTables.h"
#include "weather/SynopTimeWindow.h"
#include "core/QtBytes.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace kesmar;

namespace {

SynopTables& tables()
{
    static SynopTables t = [] {
        SynopTables built;
        std::vector<uint8_t> bytes;
        for (uint32_t n : {0u, 10400u, 12345u, 15015u}) {
            StationEntry e;
            e.number = n;
            std::memcpy(e.indicator.data(), n == 0 ? "EDZW" : "    ", 4);
            e.setName("STATION");
            e.appendTableForm(bytes);
        }
        (void)built.stations().loadBytes(toQByteArray(bytes));
        (void)built.ttTable().loadBytes("SM a\nSI b\n");
        (void)built.aaTable().loadBytes("DL c\nRO d\n");
        (void)built.textTable().loadBytes("RRMM e\n");
        built.setLoaded(true);
        return built;
    }();
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The decoder rewrites lines on the way; fed the rewritten line one
    // character at a time it must end in the same state.
    const auto serialise = [](const SynopRecord& record) { (void)record.serialise(); };
    SynopDecoder decoder(tables(), serialise);
    SynopDecoder stepwise(tables(), serialise);
    const SynopTimeWindow window = SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30);
    const int64_t fileTime = SynopTimeWindow::localTimeValue(2023, 1, 17, 12, 0, 0);
    for (SynopDecoder* d : {&decoder, &stepwise}) {
        d->SetSynopFileContext(SynopFileContext::forFile(2023, 1, 17, 12, fileTime, window));
        d->BeginSynopFile();
    }
    std::string rewritten(2 * SynopDecoder::kMaxLineLength, '\0');
    size_t at = 0;
    while (at < text.size()) {
        size_t length = std::min(SynopDecoder::kMaxLineLength, text.size() - at);
        const size_t lf = text.find('\n', at);
        if (lf != std::string_view::npos && lf - at + 1 < length)
            length = lf - at + 1;
        const std::string_view line = text.substr(at, length);
        decoder.FeedSynopLine(line);
        const size_t n = SynopDecoder::rewriteLine(line, rewritten.data());
        for (size_t i = 0; i < n; ++i)
            stepwise.FeedSynopLine(std::string_view(rewritten.data() + i, 1));
        if (decoder.state() != stepwise.state() || decoder.window().text() != stepwise.window().text()
            || decoder.window().count() != stepwise.window().count()
            || decoder.record().serialise() != stepwise.record().serialise()
            || decoder.reportsWritten() != stepwise.reportsWritten())
            __builtin_trap();
        at += length;
    }
    decoder.EndSynopFile();
    for (char c : text)
        decoder.FeedSynopChar(c);
    decoder.CloseSynopReport();

    rewritten.resize(2 * text.size() + 1);
    if (SynopDecoder::rewriteLine(text, rewritten.data()) > 2 * text.size())
        __builtin_trap();

    const auto keep = StationFileDeduplicator::survivors(
        std::span<const uint8_t>(data, size - size % StationFileDeduplicator::kKeySize));
    if (keep.size() != size / StationFileDeduplicator::kKeySize)
        __builtin_trap();
    return 0;
}
