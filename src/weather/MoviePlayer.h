#pragma once
#include <cstdint>

namespace kesmar {

// The movie player's clock and modes, without a window. Movie time runs
// from start to end in milliseconds and is kept as the horizontal scroll
// position 0..10 000; playing maps the wall clock (milliseconds, given by
// the caller on every call) times the speed onto movie time, so a slow
// repaint delays frames but never slows the movie.
class MoviePlayer {
public:
    enum class Mode { None = -1, Load = 0, Play = 1, Loop = 2, Stop = 3 };
    enum class Tick { Unchanged, Moved, Restarted, Stopped };
    enum class Scroll { LineLeft, LineRight, PageLeft, PageRight, Thumb, Home, End };

    static constexpr int kRange = 10000;
    static constexpr int64_t kMinStepMs = 1000;
    static constexpr int kMinSpeed = 1;
    static constexpr int kMaxSpeed = 8;

    // A loaded movie: position at its start.
    void setMovie(int64_t startMs, int64_t endMs, int mainFrameWidth);
    void clearMovie();
    bool loaded() const { return loaded_; }

    int64_t start() const { return start_; }
    int64_t end() const { return end_; }
    int64_t length() const { return length_; } // end - start, at least 1
    int64_t stepTime() const { return step_; }
    double microsecondsPerPixel() const { return usPerPixel_; }

    int position() const { return position_; }
    int64_t time() const { return timeFor(position_); }
    int positionFor(int64_t timeMs) const;
    int64_t timeFor(int position) const;

    Mode mode() const { return mode_; }
    void setMode(Mode mode) { mode_ = mode; }
    bool loop() const { return loop_; }
    void setLoop(bool loop) { loop_ = loop; }
    int speed() const { return speed_; }
    void setSpeed(int speed);
    // The speed slider while playing: the movie goes on from where it is at
    // the new speed instead of jumping to where the new speed would have
    // brought it since playing began.
    void changeSpeed(int speed, int64_t nowMs);
    bool playing() const { return playing_; }

    // Starts playing from the current position (from the start when that is
    // already the end). Nothing without a movie.
    void play(int64_t nowMs);
    void stop() { playing_ = false; }
    // One timer tick while playing.
    Tick tick(int64_t nowMs);
    // A scroll request of the user: stops playing when the time changes.
    // True when the time changed.
    bool scroll(Scroll request, int thumbPosition = 0);

private:
    bool moveTo(int64_t timeMs);

    bool loaded_ = false;
    int64_t start_ = 0;
    int64_t end_ = 0;
    int64_t length_ = 1;
    int64_t step_ = kMinStepMs;
    double usPerPixel_ = 1000.0;
    int position_ = 0;
    Mode mode_ = Mode::Stop;
    bool loop_ = false;
    int speed_ = 3;
    bool playing_ = false;
    int64_t originTime_ = 0;
    int64_t originTick_ = 0;
};

} // namespace kesmar
