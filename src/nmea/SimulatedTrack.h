#pragma once
#include "core/Error.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <vector>

namespace kesmar {

class NmeaInput;

// Replays the track of "DEMOCOOR.DAT" while no receiver sends: every 100 ms
// a tick; once a second the next track point (ping-pong along the track),
// in between the heading turns smoothly towards the new leg. The first
// real sentence (NmeaInput::sentenceArrived) stops it for good.
class SimulatedTrack : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPoints = 2000;
    static constexpr int kTickMilliseconds = 100;

    explicit SimulatedTrack(NmeaInput& input, QObject* parent = nullptr);

    // What the last load() met besides the points: lines that hold no
    // stored position (or are too long to be one) are skipped and counted;
    // a file that is there but cannot be read is an error. A missing file is
    // neither: there is simply no demo.
    struct LoadReport {
        int skippedLines = 0;
        std::optional<Error> error;
    };

    // Reads the track file (lines of stored GGA sentences, at most 2000),
    // logs each line that moves the track, and starts the timer when at
    // least one point was read. Returns the number of points.
    int load(const QString& filePath);
    const LoadReport& lastLoad() const { return report_; }
    // Kills the timer and clears the track.
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    int pointCount() const { return int(longitudes_.size()); }

public slots:
    // One 100 ms step (public so tests can drive it without the clock).
    void tick();

private:
    void step();
    void turn();

    NmeaInput& input_;
    LoadReport report_;
    QTimer timer_;
    std::vector<double> longitudes_;
    std::vector<double> latitudes_;
    int index_ = 0;
    bool forward_ = true;
    int tickCounter_ = 0;
    double turnIncrement_ = 0.0;
    double smoothedHeading_ = 0.0;
};

} // namespace kesmar
