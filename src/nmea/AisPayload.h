#pragma once
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kesmar {

// The bits of one reassembled AIS message, dearmoured from the 6-bit
// characters of its sentences. Reads beyond the end give 0, so a decoder
// must check bitCount() against what its message type needs first.
class AisPayload {
public:
    // nullopt when a character lies outside the 6-bit alphabet ('0'..'W',
    // '`'..'w'), fill bits are not 0-5, or they exceed the payload.
    static std::optional<AisPayload> dearmour(QByteArrayView characters, int fillBits);

    int bitCount() const { return int(bits_.size()); }
    uint32_t unsignedBits(int start, int width) const;
    int32_t signedBits(int start, int width) const;
    bool flag(int start) const { return unsignedBits(start, 1) != 0; }
    // `characters` 6-bit text characters; the padding '@' and trailing blanks
    // are removed. Stops early where the payload ends.
    QString text(int start, int characters) const;

private:
    std::vector<uint8_t> bits_; // one bit per entry, most significant first
};

} // namespace kesmar
