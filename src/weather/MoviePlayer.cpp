#include "weather/MoviePlayer.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

void MoviePlayer::setMovie(int64_t startMs, int64_t endMs, int mainFrameWidth)
{
    loaded_ = true;
    start_ = startMs;
    end_ = std::max(startMs, endMs);
    length_ = end_ > start_ ? end_ - start_ : 1;
    step_ = std::max(kMinStepMs, length_ / kRange + 2);
    usPerPixel_ = mainFrameWidth > 0 ? std::round(1000000.0 / (mainFrameWidth + 4)) : 1000.0;
    playing_ = false;
    position_ = positionFor(start_);
}

void MoviePlayer::clearMovie()
{
    // The user's choices outlive the movie.
    const Mode mode = mode_;
    const bool loop = loop_;
    const int speed = speed_;
    *this = MoviePlayer();
    mode_ = mode;
    loop_ = loop;
    speed_ = speed;
}

int MoviePlayer::positionFor(int64_t timeMs) const
{
    const int64_t offset = std::clamp(timeMs, start_, end_) - start_;
    return static_cast<int>((offset * kRange * 2 + length_) / (2 * length_));
}

int64_t MoviePlayer::timeFor(int position) const
{
    const int64_t p = std::clamp(position, 0, kRange);
    return start_ + (p * length_ + kRange / 2) / kRange;
}

void MoviePlayer::setSpeed(int speed)
{
    speed_ = std::clamp(speed, kMinSpeed, kMaxSpeed);
}

void MoviePlayer::changeSpeed(int speed, int64_t nowMs)
{
    if (playing_) {
        originTime_ = std::clamp(originTime_ + speed_ * (nowMs - originTick_), start_, end_);
        originTick_ = nowMs;
    }
    setSpeed(speed);
}

void MoviePlayer::play(int64_t nowMs)
{
    if (!loaded_)
        return;
    if (position_ >= positionFor(end_ - 1))
        position_ = positionFor(start_);
    originTime_ = time();
    originTick_ = nowMs;
    playing_ = true;
    mode_ = loop_ ? Mode::Loop : Mode::Play;
}

MoviePlayer::Tick MoviePlayer::tick(int64_t nowMs)
{
    if (!playing_)
        return Tick::Unchanged;
    int64_t t = originTime_ + speed_ * (nowMs - originTick_);
    if (t == time())
        return Tick::Unchanged;
    t = std::max(t, start_);
    if (t > end_) {
        if (loop_) {
            position_ = positionFor(start_);
            originTime_ = start_;
            originTick_ = nowMs;
            return Tick::Restarted;
        }
        position_ = positionFor(end_ - 1);
        playing_ = false;
        mode_ = Mode::Stop;
        return Tick::Stopped;
    }
    position_ = positionFor(t);
    return Tick::Moved;
}

bool MoviePlayer::moveTo(int64_t timeMs)
{
    const int64_t t = std::clamp(timeMs, start_, end_);
    if (t == time())
        return false;
    playing_ = false;
    loop_ = false;
    position_ = positionFor(t);
    return true;
}

bool MoviePlayer::scroll(Scroll request, int thumbPosition)
{
    if (!loaded_)
        return false;
    const int64_t now = time();
    switch (request) {
    case Scroll::LineLeft: return moveTo(now - step_);
    case Scroll::LineRight: return moveTo(now + step_);
    case Scroll::PageLeft: return moveTo(now - length_ / 10);
    case Scroll::PageRight: return moveTo(now + length_ / 10);
    case Scroll::Thumb: return moveTo(timeFor(thumbPosition));
    case Scroll::Home: return moveTo(start_);
    case Scroll::End: return moveTo(end_);
    }
    return false;
}

} // namespace kesmar
