#pragma once
#include "nmea/VesselState.h"

#include <QByteArray>
#include <QByteArrayView>

namespace kesmar {

// kesmar-nmea --print: applies each sentence with the plotter's own parser
// and rules and renders the state after it as one CSV line. Values that no
// sentence has supplied yet stay empty.
class NmeaCsvPrinter {
public:
    static constexpr const char* kHeader = "sentence,time,date,latitude,longitude,speed,course";

    // The CSV line (without line end) for one sentence.
    QByteArray line(QByteArrayView sentence);
    const VesselState& state() const { return state_; }

private:
    VesselState state_;
    bool timeKnown_ = false;
    bool dateKnown_ = false;
    bool positionKnown_ = false;
    bool speedKnown_ = false;
    bool courseKnown_ = false;
};

} // namespace kesmar
