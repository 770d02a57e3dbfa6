#include "weather/SynopRecord.h"

#include "core/ByteReader.h"

#include <cstring>

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

// In-place little-endian writer; the decoder serialises one record per
// report, so this must not allocate.
class Put {
public:
    explicit Put(std::span<uint8_t, SynopRecord::kSize> out) : out_(out) {}
    template <typename T> void at(size_t offset, T value)
    {
        auto u = static_cast<std::make_unsigned_t<T>>(value);
        for (size_t i = 0; i < sizeof(T); ++i)
            out_[offset + i] = static_cast<uint8_t>(u >> (8 * i));
    }
    void raw(size_t offset, const void* p, size_t n) { std::memcpy(out_.data() + offset, p, n); }
    std::span<uint8_t, StationEntry::kFieldSize> entry(size_t offset)
    {
        return out_.subspan(offset).first<StationEntry::kFieldSize>();
    }

private:
    std::span<uint8_t, SynopRecord::kSize> out_;
};

template <typename T> T get(std::span<const uint8_t, SynopRecord::kSize> in, size_t offset)
{
    T v{};
    ByteReader r(in.subspan(offset, sizeof(T)));
    if constexpr (sizeof(T) == 1) {
        uint8_t b = 0;
        r.u8(b);
        v = static_cast<T>(b);
    } else if constexpr (sizeof(T) == 2) {
        uint16_t w = 0;
        r.u16(w);
        v = static_cast<T>(w);
    } else {
        uint32_t d = 0;
        r.u32(d);
        v = static_cast<T>(d);
    }
    return v;
}

} // namespace

void SynopRecord::serialise(std::span<uint8_t, kSize> out) const
{
    Put p(out);
    p.at(OffFlags, flags);
    p.at(OffSectionKind, sectionKind);
    p.at(OffFileIndex, fileIndex);
    p.at(OffBulletinTime, bulletinTime);
    p.at(OffObservationTime, observationTime);
    const int16_t words[] = {windDirection, airTemperature, dewPoint, seaTemperature,
                             minTemperature, maxTemperature, humidity, stationPressure,
                             seaLevelPressure, geopotential, isobaricSurface, pressureTendency,
                             precipitation, waveHeight, snowDepth};
    for (size_t i = 0; i < std::size(words); ++i)
        p.at(OffWindDirection + 2 * i, words[i]);
    p.at(OffPlatformNumber, platformNumber);
    centreEntry.writeField(p.entry(OffCentreEntry));
    stationEntry.writeField(p.entry(OffStationEntry));
    p.raw(OffTtText, ttText.data(), kTextSize);
    p.raw(OffAaText, aaText.data(), kTextSize);
    p.raw(OffBbbText, bbbText.data(), kTextSize);
    p.at(OffBulletinNumber, bulletinNumber);
    p.at(OffWindSpeed, windSpeed);
    p.at(OffHeadingLetter, headingLetter);
    p.at(OffWindIndicator, windIndicator);
    p.at(OffPrecipIndicator, precipIndicator);
    p.at(OffStationTypeIndicator, stationTypeIndicator);
    p.raw(OffCloudBaseKey, cloudBaseKey.data(), 2);
    const int8_t bytes[] = {
        visibility, totalCloud, tendencyCharacteristic, precipitationPeriod, presentWeather,
        lowCloud, midCloud, highCloud, lowCloudAmount, shipDirection, shipSpeed, wavePeriod,
        windWavePeriod, windWaveHeight, swell1Direction, swell2Direction, swell1Period,
        swell1Height, swell2Period, swell2Height, iceCause, iceThickness, iceRate,
        groundMinTemperature, groundState, snowGroundState};
    for (size_t i = 0; i < std::size(bytes); ++i)
        p.at(OffVisibility + i, bytes[i]);
    p.raw(OffLayerAmount, layerAmount.data(), 10);
    p.raw(OffLayerHeight, layerHeight.data(), 10);
    p.at(OffLowerCloudAmount, lowerCloudAmount);
    p.at(OffLowerCloudGenus, lowerCloudGenus);
    p.at(OffLowerCloudTop, lowerCloudTop);
    p.at(OffLowerCloudDescription, lowerCloudDescription);
    p.at(OffPlatformRegion, platformRegion);
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
    r.flags = get<uint32_t>(in, OffFlags);
    r.sectionKind = get<uint16_t>(in, OffSectionKind);
    r.fileIndex = get<uint16_t>(in, OffFileIndex);
    r.bulletinTime = get<uint32_t>(in, OffBulletinTime);
    r.observationTime = get<uint32_t>(in, OffObservationTime);
    int16_t* words[] = {&r.windDirection, &r.airTemperature, &r.dewPoint, &r.seaTemperature,
                        &r.minTemperature, &r.maxTemperature, &r.humidity, &r.stationPressure,
                        &r.seaLevelPressure, &r.geopotential, &r.isobaricSurface,
                        &r.pressureTendency, &r.precipitation, &r.waveHeight, &r.snowDepth};
    for (size_t i = 0; i < std::size(words); ++i)
        *words[i] = get<int16_t>(in, OffWindDirection + 2 * i);
    r.platformNumber = get<uint16_t>(in, OffPlatformNumber);
    r.centreEntry = StationEntry::readField(in.subspan(OffCentreEntry).first<StationEntry::kFieldSize>());
    r.stationEntry = StationEntry::readField(in.subspan(OffStationEntry).first<StationEntry::kFieldSize>());
    std::memcpy(r.ttText.data(), in.data() + OffTtText, kTextSize);
    std::memcpy(r.aaText.data(), in.data() + OffAaText, kTextSize);
    std::memcpy(r.bbbText.data(), in.data() + OffBbbText, kTextSize);
    r.bulletinNumber = get<uint8_t>(in, OffBulletinNumber);
    r.windSpeed = get<uint8_t>(in, OffWindSpeed);
    r.headingLetter = get<char>(in, OffHeadingLetter);
    r.windIndicator = get<uint8_t>(in, OffWindIndicator);
    r.precipIndicator = get<int8_t>(in, OffPrecipIndicator);
    r.stationTypeIndicator = get<int8_t>(in, OffStationTypeIndicator);
    std::memcpy(r.cloudBaseKey.data(), in.data() + OffCloudBaseKey, 2);
    int8_t* bytes[] = {
        &r.visibility, reinterpret_cast<int8_t*>(&r.totalCloud), &r.tendencyCharacteristic,
        &r.precipitationPeriod, &r.presentWeather, reinterpret_cast<int8_t*>(&r.lowCloud),
        reinterpret_cast<int8_t*>(&r.midCloud), reinterpret_cast<int8_t*>(&r.highCloud),
        reinterpret_cast<int8_t*>(&r.lowCloudAmount), &r.shipDirection, &r.shipSpeed,
        &r.wavePeriod, &r.windWavePeriod, &r.windWaveHeight, &r.swell1Direction,
        &r.swell2Direction, &r.swell1Period, &r.swell1Height, &r.swell2Period, &r.swell2Height,
        &r.iceCause, &r.iceThickness, &r.iceRate, &r.groundMinTemperature, &r.groundState,
        &r.snowGroundState};
    for (size_t i = 0; i < std::size(bytes); ++i)
        *bytes[i] = get<int8_t>(in, OffVisibility + i);
    std::memcpy(r.layerAmount.data(), in.data() + OffLayerAmount, 10);
    std::memcpy(r.layerHeight.data(), in.data() + OffLayerHeight, 10);
    r.lowerCloudAmount = get<int8_t>(in, OffLowerCloudAmount);
    r.lowerCloudGenus = get<int8_t>(in, OffLowerCloudGenus);
    r.lowerCloudTop = get<int8_t>(in, OffLowerCloudTop);
    r.lowerCloudDescription = get<int8_t>(in, OffLowerCloudDescription);
    r.platformRegion = get<int8_t>(in, OffPlatformRegion);
    return r;
}

static_assert(SynopRecord::OffPlatformRegion + 1 == SynopRecord::kSize);
static_assert(SynopRecord::OffSnowDepth == SynopRecord::OffWindDirection + 2 * 14);
static_assert(SynopRecord::OffSnowGroundState == SynopRecord::OffVisibility + 25);
static_assert(SynopRecord::OffStationEntry == SynopRecord::OffCentreEntry + StationEntry::kFieldSize);
static_assert(SynopRecord::OffTtText == SynopRecord::OffStationEntry + StationEntry::kFieldSize);
static_assert(SynopRecord::OffStationLatitude == 128 && SynopRecord::OffStationNameLength == 136);

} // namespace kesmar
