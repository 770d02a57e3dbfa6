#include "chartdata/LogFont.h"

#include "chartdata/Cp850.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace kesmar {

static_assert(LogFont::kSize == 5 * 4 + 8 + LogFont::kFaceSize);

LogFont LogFont::make(int32_t height, int32_t weight, uint8_t pitchAndFamily, const char* face)
{
    LogFont f;
    f.height = height;
    f.weight = weight;
    f.pitchAndFamily = pitchAndFamily;
    std::memcpy(f.face.data(), face, std::min(std::strlen(face), kFaceSize - 1));
    return f;
}

QString LogFont::faceName() const
{
    const char* p = reinterpret_cast<const char*>(face.data());
    return fromCp850(std::string_view(p, strnlen(p, kFaceSize)));
}

void LogFont::setFaceName(const QString& name)
{
    const std::string bytes = toCp850(name);
    face.fill(0);
    std::memcpy(face.data(), bytes.data(), std::min(bytes.size(), kFaceSize - 1));
}

TextFont LogFont::toTextFont() const
{
    return TextFont{faceName(), height, weight, italic != 0};
}

void LogFont::assign(const TextFont& font)
{
    height = font.height;
    weight = font.weight;
    italic = font.italic ? 1 : 0;
    setFaceName(font.family);
}

bool LogFont::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize);
        return false;
    }
    in.i32(height);
    in.i32(width);
    in.i32(escapement);
    in.i32(orientation);
    in.i32(weight);
    in.u8(italic);
    in.u8(underline);
    in.u8(strikeOut);
    in.u8(charSet);
    in.u8(outPrecision);
    in.u8(clipPrecision);
    in.u8(quality);
    in.u8(pitchAndFamily);
    in.bytes(face.data(), face.size());
    return true;
}

void LogFont::write(ByteWriter& out) const
{
    out.i32(height);
    out.i32(width);
    out.i32(escapement);
    out.i32(orientation);
    out.i32(weight);
    out.u8(italic);
    out.u8(underline);
    out.u8(strikeOut);
    out.u8(charSet);
    out.u8(outPrecision);
    out.u8(clipPrecision);
    out.u8(quality);
    out.u8(pitchAndFamily);
    out.bytes(face.data(), face.size());
}

} // namespace kesmar
