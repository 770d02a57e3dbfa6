#pragma once
#include "nmea/AisMessage.h"

#include <QByteArray>

namespace kesmar {

// kesmar-nmea --print-ais: one JSON object per decoded AIS message, with the
// field names and units of gpsd's AIS JSON (degrees, knots, metres; course
// and speed scaled). A field that is not available is left out.
class AisJsonPrinter {
public:
    static QByteArray json(const AisMessage& message);
};

} // namespace kesmar
