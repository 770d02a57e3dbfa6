// S-57-class GeoJSON from arbitrary bytes: read, mapped to point records;
// every record lies in the world and keeps the record size limits.
#include "S57GeoJsonSource.h"
#include "S57PointMapper.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kesmar;
using namespace kesmar::chartbuild;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto objects = readS57GeoJson(json, QStringLiteral("LIGHTS.json"), &error);
    if (!objects) {
        if (error.isEmpty())
            __builtin_trap();  // a refusal always says why
        return 0;
    }
    S57PointMapper mapper;
    for (const S57Object& o : *objects)
        mapper.add(o);
    for (const S57PointMapper::Entry& e : mapper.records()) {
        const PointRecord& r = e.record;
        if (r.size() < PointRecord::kMinSize || r.size() > PointRecord::kMaxSize)
            __builtin_trap();
        if (std::abs(r.y()) > kWorldHalfHeight || std::abs(r.x()) > kWorldHalfWidth)
            __builtin_trap();
    }
    return 0;
}
