#pragma once
#include "nmea/AisCpa.h"
#include "nmea/AisTarget.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace kesmar {

// The German description of an AIS target for the point-information window:
// one "       NAME:\tvalue" line per known value; values not known are left out.
class AisTargetText {
public:
    static QString describe(const AisTarget& target, const std::optional<AisCpa>& cpa,
                            const AisCpa::Limits& limits, int64_t nowMs);

    static QString shipTypeName(int shiptype);
    static QString statusName(int status);
    static QString aidTypeName(int aidType);
    // "53°32.760N" and "  9°57.960E" from degrees.
    static QString latitudeText(double degrees);
    static QString longitudeText(double degrees);
};

} // namespace kesmar
