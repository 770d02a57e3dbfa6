#include "nmea/AisPayload.h"

namespace kesmar {

std::optional<AisPayload> AisPayload::dearmour(QByteArrayView characters, int fillBits)
{
    if (fillBits < 0 || fillBits > 5 || (characters.isEmpty() && fillBits > 0)) return std::nullopt;
    AisPayload p;
    p.bits_.reserve(size_t(characters.size()) * 6);
    for (const char c : characters) {
        const bool valid = (c >= '0' && c <= 'W') || (c >= '`' && c <= 'w');
        if (!valid) return std::nullopt;
        int v = c - 48;
        if (v > 40) v -= 8;
        for (int bit = 5; bit >= 0; --bit) p.bits_.push_back(uint8_t((v >> bit) & 1));
    }
    p.bits_.resize(p.bits_.size() - size_t(fillBits));
    return p;
}

uint32_t AisPayload::unsignedBits(int start, int width) const
{
    uint32_t v = 0;
    for (int i = start; i < start + width; ++i) {
        v <<= 1;
        if (i >= 0 && i < bitCount()) v |= bits_[size_t(i)];
    }
    return v;
}

int32_t AisPayload::signedBits(int start, int width) const
{
    const uint32_t v = unsignedBits(start, width);
    const uint32_t sign = 1u << (width - 1);
    return int32_t(v ^ sign) - int32_t(sign);
}

QString AisPayload::text(int start, int characters) const
{
    // 6-bit ASCII: 0-31 are '@'..'_', 32-63 are ' '..'?'.
    QString s;
    for (int i = 0; i < characters && start + 6 * (i + 1) <= bitCount(); ++i) {
        const uint32_t v = unsignedBits(start + 6 * i, 6);
        s += QChar(char(v < 32 ? v + 64 : v));
    }
    // '@' pads a name to its field; gpsd also cuts at the first one.
    const qsizetype at = s.indexOf(QLatin1Char('@'));
    if (at >= 0) s.truncate(at);
    while (s.endsWith(QLatin1Char(' '))) s.chop(1);
    return s;
}

} // namespace kesmar
