#include "nmea/AisTargetList.h"

namespace kesmar {
namespace {

AisTarget::Kind kindOf(const AisMessage& m, AisTarget::Kind previous, bool known)
{
    switch (m.type) {
    case 4: return AisTarget::Kind::BaseStation;
    case 21: return AisTarget::Kind::AidToNavigation;
    case 18: case 19: case 24: return AisTarget::Kind::ClassB;
    case 1: case 2: case 3: case 5: return AisTarget::Kind::ClassA;
    default: return known ? previous : AisTarget::Kind::ClassA;
    }
}

// Only values the message carries replace the stored ones.
template <typename T> void take(std::optional<T>& stored, const std::optional<T>& sent)
{
    if (sent) stored = sent;
}

void takePosition(AisTarget& t, const AisMessage& m)
{
    // A report without position keeps the last one; it says nothing about
    // where the target is now, but neither does it move it to 0/0.
    if (m.hasPosition()) {
        t.latitude = m.latitude;
        t.longitude = m.longitude;
    }
    if (m.type == 4 || m.type == 21) return;
    // Speed, course and heading belong together: an unknown value in a
    // position report is unknown now, not the old value.
    t.speedKnots = m.speedKnots;
    t.courseDegrees = m.courseDegrees;
    t.headingDegrees = m.headingDegrees;
    if (m.type <= 3) t.status = m.status;
}

void takeStatic(AisTarget& t, const AisMessage& m)
{
    take(t.name, m.shipname);
    take(t.callsign, m.callsign);
    take(t.shiptype, m.shiptype);
    take(t.toBow, m.toBow);
    take(t.toStern, m.toStern);
    take(t.toPort, m.toPort);
    take(t.toStarboard, m.toStarboard);
    take(t.destination, m.destination);
    take(t.draughtMeters, m.draughtMeters);
}

} // namespace

bool AisTargetList::apply(const AisMessage& m, int64_t nowMs)
{
    if (m.own || m.mmsi == 0) return false;
    const auto found = targets_.find(m.mmsi);
    const bool known = found != targets_.end();
    AisTarget& t = known ? found->second : targets_[m.mmsi];
    t.mmsi = m.mmsi;
    t.kind = kindOf(m, t.kind, known);
    switch (m.type) {
    case 1: case 2: case 3: case 18: case 4:
        takePosition(t, m);
        break;
    case 19:
        takePosition(t, m);
        takeStatic(t, m);
        break;
    case 5: case 24:
        takeStatic(t, m);
        break;
    case 21:
        takePosition(t, m);
        takeStatic(t, m);
        take(t.aidType, m.aidType);
        t.virtualAid = m.virtualAid;
        t.offPosition = m.offPosition;
        break;
    default:
        break;
    }
    t.lastHeardMs = nowMs;
    t.lost = false;
    ++revision_;
    return true;
}

int64_t AisTargetList::lostAfter(const AisTarget& target) const
{
    return target.kind == AisTarget::Kind::ClassB ? limits_.lostClassBMs : limits_.lostClassAMs;
}

bool AisTargetList::age(int64_t nowMs)
{
    bool changed = false;
    for (auto it = targets_.begin(); it != targets_.end();) {
        const int64_t silent = nowMs - it->second.lastHeardMs;
        if (silent >= limits_.removeMs) {
            it = targets_.erase(it);
            changed = true;
            continue;
        }
        const bool lost = silent >= lostAfter(it->second);
        if (lost != it->second.lost) {
            it->second.lost = lost;
            changed = true;
        }
        ++it;
    }
    if (changed) ++revision_;
    return changed;
}

const AisTarget* AisTargetList::find(uint32_t mmsi) const
{
    const auto it = targets_.find(mmsi);
    return it == targets_.end() ? nullptr : &it->second;
}

void AisTargetList::clear()
{
    targets_.clear();
    ++revision_;
}

} // namespace kesmar
