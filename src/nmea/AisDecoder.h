#pragma once
#include "nmea/AisMessage.h"
#include "nmea/AisPayload.h"

namespace kesmar {

// Turns the bits of one reassembled message into an AisMessage.
class AisDecoder {
public:
    enum class Outcome { Decoded, Unsupported, TooShort };

    // The number of bits a type needs at least; 0 for types not decoded.
    static int minimumBits(int type);
    // Decodes types 1-5, 18, 19, 21 and 24 into `out`.
    static Outcome decode(const AisPayload& bits, AisMessage& out);
};

} // namespace kesmar
