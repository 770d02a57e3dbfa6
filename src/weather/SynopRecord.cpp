#include "weather/SynopRecord.h"

#include <cstring>
#include <type_traits>

namespace kesmar {

namespace SynopFlag {
const char* name(uint32_t bit)
{
    static constexpr const char* kNames[32] = {
        "stationIdentified", "rejected", "visibility", "windDirection",
        "windSpeed", "airTemperature", "dewPoint", "humidity",
        "stationPressure", "seaLevelPressure", "geopotential", "pressureTendency",
        "precipitation", "presentWeather", "presentWeatherOnly", "cloudGroup",
        "shipMovement", "seaTemperature", "waves", "windWaves",
        "swellDirection", "swell1", "swell2", "ice",
        "maxTemperature", "minTemperature", "groundGroup", "snow",
        "cloudLayer", "section4", "shipCallSign", nullptr};
    for (int i = 0; i < 32; ++i)
        if (bit == (1u << i))
            return kNames[i];
    return nullptr;
}
} // namespace SynopFlag

namespace {

// In-place little-endian access by the kind of the member; the decoder
// serialises one record per report, so none of this allocates.
using Out = std::span<uint8_t, SynopRecord::kSize>;
using In = std::span<const uint8_t, SynopRecord::kSize>;

template <typename T>
    requires std::is_integral_v<T>
void put(Out out, size_t offset, T value)
{
    const auto u = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        out[offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

template <typename T, size_t N>
void put(Out out, size_t offset, const std::array<T, N>& value)
{
    std::memcpy(out.data() + offset, value.data(), N);
}

void put(Out out, size_t offset, const StationEntry& value)
{
    value.writeField(out.subspan(offset).first<StationEntry::kFieldSize>());
}

template <typename T>
    requires std::is_integral_v<T>
void get(In in, size_t offset, T& value)
{
    std::make_unsigned_t<T> u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u = static_cast<std::make_unsigned_t<T>>(u | static_cast<std::make_unsigned_t<T>>(in[offset + i]) << (8 * i));
    value = static_cast<T>(u);
}

template <typename T, size_t N>
void get(In in, size_t offset, std::array<T, N>& value)
{
    std::memcpy(value.data(), in.data() + offset, N);
}

void get(In in, size_t offset, StationEntry& value)
{
    value = StationEntry::readField(in.subspan(offset).first<StationEntry::kFieldSize>());
}

// The width a member takes in the file.
template <typename T> constexpr size_t fileWidth()
{
    if constexpr (std::is_same_v<T, StationEntry>)
        return StationEntry::kFieldSize;
    else
        return sizeof(T);
}

#define KESMAR_FIELD_WIDTH_CHECK(member, Name, width, kind) \
    static_assert(fileWidth<decltype(SynopRecord::member)>() == (width), #member);
KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_WIDTH_CHECK)
#undef KESMAR_FIELD_WIDTH_CHECK

} // namespace

void SynopRecord::serialise(std::span<uint8_t, kSize> out) const
{
#define KESMAR_FIELD_PUT(member, Name, width, kind) put(out, Off##Name, member);
    KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_PUT)
#undef KESMAR_FIELD_PUT
}

SynopRecord::Bytes SynopRecord::serialise() const
{
    Bytes out{};
    serialise(out);
    return out;
}

SynopRecord SynopRecord::deserialise(std::span<const uint8_t, kSize> in)
{
    SynopRecord r;
#define KESMAR_FIELD_GET(member, Name, width, kind) get(in, Off##Name, r.member);
    KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_GET)
#undef KESMAR_FIELD_GET
    return r;
}

static_assert(synoprecord::recordSize() == SynopRecord::kSize);
static_assert(SynopRecord::OffStationLatitude == 128 && SynopRecord::OffStationNameLength == 136);

} // namespace kesmar
