#pragma once
#include <QString>

#include <cstdint>
#include <vector>

namespace kesmar {

// What a chart paint found out: whether it was abandoned, and which chart
// files failed to open. The owner of the catalogue sets the flags and shows
// each message once.
struct PaintResult {
    struct OpenError {
        QString chart;      // chart name
        uint16_t flag = 0;  // ChartEntry::LinFailed or ChartEntry::WpnFailed
        // "OPEN ERROR CHARTDATA\NAME.LIN" (or .WPN).
        QString message() const;
        friend bool operator==(const OpenError&, const OpenError&) = default;
    };

    bool interrupted = false;
    std::vector<OpenError> openErrors;
};

} // namespace kesmar
