// RTF reader of the bulletin browser: any bytes give text without control
// characters but line end and tab, and reading only the first lines gives a
// prefix of the whole text.
#include "weather/RtfReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto whole = kesmar::RtfReader::toText(bytes);
    for (const QChar c : whole.text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            std::abort();
    const auto head = kesmar::RtfReader::toText(bytes, 3);
    if (!whole.text.startsWith(head.text) || head.text.count(QLatin1Char('\n')) > 3)
        std::abort();
    return 0;
}
