#include "nmea/AisAssembler.h"

namespace kesmar {

std::optional<AisAssembler::Message> AisAssembler::add(const AisFragment& f, AisCounters& counters)
{
    const bool last = f.number == f.count;
    // Only the last fragment may end in fill bits; the others are whole characters.
    if (f.fillBits > 5 || (!last && f.fillBits != 0)) {
        ++counters.badFillBits;
        if (f.count > 1) {
            if (pending_.erase(Key{f.sequenceId.value_or(-1), f.channel, f.own}))
                ++counters.droppedFragments;
        }
        return std::nullopt;
    }
    if (f.count == 1) return Message{f.payload, f.fillBits, f.own, f.channel};

    const Key key{f.sequenceId.value_or(-1), f.channel, f.own};
    const auto it = pending_.find(key);
    if (f.number == 1) {
        // A new message under the same id: the unfinished one is lost.
        if (it != pending_.end()) ++counters.droppedFragments;
        pending_[key] = Partial{f.count, 2, f.payload};
        return std::nullopt;
    }
    if (it == pending_.end() || it->second.count != f.count || it->second.next != f.number) {
        if (it != pending_.end()) {
            pending_.erase(it);
            ++counters.droppedFragments; // the message begun before
        }
        ++counters.droppedFragments; // this fragment
        return std::nullopt;
    }
    it->second.payload += f.payload;
    ++it->second.next;
    if (!last) return std::nullopt;
    Message whole{std::move(it->second.payload), f.fillBits, f.own, f.channel};
    pending_.erase(it);
    return whole;
}

} // namespace kesmar
