#pragma once
#include "nmea/AisMessage.h"
#include "nmea/AisTarget.h"

#include <cstdint>
#include <unordered_map>

namespace kesmar {

// The AIS targets around the vessel, one entry per MMSI, owned by the
// application. Times are milliseconds on any steady clock the owner keeps;
// a target not heard for 6 minutes (class A, base stations, aids) or 10
// minutes (class B) is lost, and after 20 minutes it is removed.
class AisTargetList {
public:
    struct Limits {
        int64_t lostClassAMs = 6 * 60 * 1000;
        int64_t lostClassBMs = 10 * 60 * 1000;
        int64_t removeMs = 20 * 60 * 1000;
    };

    AisTargetList() = default;
    explicit AisTargetList(Limits limits) : limits_(limits) {}

    // Merges one message into its target. Messages of the own transponder
    // (VDO) are not targets. Returns false when the message was not taken.
    bool apply(const AisMessage& message, int64_t nowMs);
    // Marks lost targets and removes expired ones; true when anything changed.
    bool age(int64_t nowMs);

    const AisTarget* find(uint32_t mmsi) const;
    const std::unordered_map<uint32_t, AisTarget>& targets() const { return targets_; }
    size_t size() const { return targets_.size(); }
    // Bumped by every change, so that painters know when to redraw.
    uint64_t revision() const { return revision_; }
    void clear();

private:
    int64_t lostAfter(const AisTarget& target) const;

    Limits limits_;
    std::unordered_map<uint32_t, AisTarget> targets_;
    uint64_t revision_ = 0;
};

} // namespace kesmar
