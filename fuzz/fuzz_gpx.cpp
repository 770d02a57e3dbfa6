// GPX reading: any bytes give the points of a route or track, or an error
// that names the file; never a crash.
#include "nmea/GpxFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto result = kesmar::GpxFile::parse(bytes, QStringLiteral("fuzz.gpx"));
    if (result.ok() && result->empty()) __builtin_trap(); // a result always has points
    if (!result.ok() && result.error().file.isEmpty()) __builtin_trap();
    return 0;
}
