#include "nmea/AisReceiver.h"

#include "nmea/AisDecoder.h"
#include "nmea/AisPayload.h"

namespace kesmar {

std::optional<AisMessage> AisReceiver::receive(QByteArrayView sentence)
{
    AisFragment fragment;
    const AisFragment::Check check = AisFragment::parse(sentence, fragment);
    if (check == AisFragment::Check::NotAis) return std::nullopt;
    if (check != AisFragment::Check::Ok) {
        ++counters_.badSentences;
        return std::nullopt;
    }
    const std::optional<AisAssembler::Message> whole = assembler_.add(fragment, counters_);
    if (!whole) return std::nullopt;
    if (whole->fillBits > 5) {
        ++counters_.badFillBits;
        return std::nullopt;
    }
    const std::optional<AisPayload> bits = AisPayload::dearmour(whole->payload, whole->fillBits);
    if (!bits) {
        ++counters_.badCharacters;
        return std::nullopt;
    }
    AisMessage message;
    switch (AisDecoder::decode(*bits, message)) {
    case AisDecoder::Outcome::Unsupported: ++counters_.unsupported; return std::nullopt;
    case AisDecoder::Outcome::TooShort: ++counters_.tooShort; return std::nullopt;
    case AisDecoder::Outcome::Decoded: break;
    }
    message.own = whole->own;
    ++counters_.decoded;
    return message;
}

} // namespace kesmar
