#include "chartdata/PointRecord.h"

#include <cstring>

namespace kesmar {

namespace {

int32_t loadI32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16
                                | uint32_t(p[3]) << 24);
}

void storeI32(uint8_t* p, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(u >> (8 * i));
}

} // namespace

std::optional<PointRecord> PointRecord::fromBytes(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kMinSize || bytes.size() > kMaxSize)
        return std::nullopt;
    PointRecord r;
    std::memcpy(r.bytes_.data(), bytes.data(), bytes.size());
    r.size_ = bytes.size();
    return r;
}

std::optional<PointRecord> PointRecord::make(size_t size, uint8_t typeByte, uint8_t colourByte,
                                             uint8_t modifier, uint8_t level, ChartPoint position,
                                             const QByteArray& text)
{
    if (size < kMinSize || size > kMaxSize)
        return std::nullopt;
    PointRecord r;
    r.size_ = size;
    r.bytes_[kOffType] = typeByte;
    r.bytes_[kOffColour] = colourByte;
    r.bytes_[kOffModifier] = modifier;
    r.bytes_[kOffLevel] = level;
    storeI32(&r.bytes_[kOffY], position.y);
    storeI32(&r.bytes_[kOffX], position.x);
    const size_t room = size - kOffText;
    const size_t n = std::min(room, size_t(text.size()));
    if (n)
        std::memcpy(&r.bytes_[kOffText], text.constData(), n);
    return r;
}

int32_t PointRecord::y() const { return loadI32(&bytes_[kOffY]); }
int32_t PointRecord::x() const { return loadI32(&bytes_[kOffX]); }

std::span<const uint8_t> PointRecord::description() const
{
    return {bytes_.data() + kOffDescription, size_ - kOffDescription};
}

QByteArray PointRecord::text() const
{
    const char* p = reinterpret_cast<const char*>(bytes_.data() + kOffText);
    return QByteArray(p, qsizetype(strnlen(p, size_ - kOffText)));
}

} // namespace kesmar
