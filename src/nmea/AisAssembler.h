#pragma once
#include "nmea/AisCounters.h"
#include "nmea/AisFragment.h"

#include <QByteArray>
#include <map>
#include <optional>
#include <tuple>

namespace kesmar {

// Joins the fragments of multi-sentence AIS messages. Fragments belong
// together by sequence id, channel and VDM/VDO, and must come in order:
// a fragment that does not continue its message (lost, out of order,
// another message interleaved under the same id) drops that message whole,
// so two messages are never mixed.
class AisAssembler {
public:
    struct Message {
        QByteArray payload; // armoured characters of all fragments
        int fillBits = 0;   // of the last fragment
        bool own = false;
        char channel = 0;
    };

    // Returns the whole message once its last fragment arrived. Faults are
    // counted in `counters`.
    std::optional<Message> add(const AisFragment& fragment, AisCounters& counters);
    // Messages waiting for further fragments.
    size_t pending() const { return pending_.size(); }

private:
    using Key = std::tuple<int, char, bool>; // sequence id (-1: none), channel, own
    struct Partial {
        int count = 0;
        int next = 0;
        QByteArray payload;
    };
    std::map<Key, Partial> pending_;
};

} // namespace kesmar
