#pragma once
#include "nmea/AisAssembler.h"
#include "nmea/AisCounters.h"
#include "nmea/AisMessage.h"

#include <QByteArrayView>
#include <optional>

namespace kesmar {

// The AIS input in stages: sentence check -> fragment reassembly -> 6-bit
// payload -> message. Every sentence that does not end in a decoded message
// of a used type is counted by why.
class AisReceiver {
public:
    // One sentence ("!AIVDM,..."). Returns a message when this sentence
    // completed one of the types the plotter decodes.
    std::optional<AisMessage> receive(QByteArrayView sentence);

    const AisCounters& counters() const { return counters_; }

private:
    AisAssembler assembler_;
    AisCounters counters_;
};

} // namespace kesmar
