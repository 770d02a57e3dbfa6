#include "weather/MovieDecoder.h"

#include "weather/MovieStreamDecoder.h"

namespace kesmar {

MovieDecoder::MovieDecoder(const MovieFile& movie, size_t cacheBudgetBytes)
    : movie_(movie)
    , cache_(cacheBudgetBytes)
{
    for (const MovieFile::VideoStream& stream : movie_.videoStreams())
        streams_.push_back(std::make_unique<MovieStreamDecoder>(movie_.path(), stream));
    worker_ = std::thread([this] { run(); });
}

MovieDecoder::~MovieDecoder()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        pending_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void MovieDecoder::setReady(Ready ready)
{
    std::lock_guard lock(mutex_);
    ready_ = std::move(ready);
}

bool MovieDecoder::inRange(Key key) const
{
    const auto& streams = movie_.videoStreams();
    return key.stream >= 0 && key.stream < static_cast<int>(streams.size()) && key.sample >= 0
           && key.sample < static_cast<int>(streams[static_cast<size_t>(key.stream)].frames.size());
}

void MovieDecoder::request(std::vector<Key> keys)
{
    {
        std::lock_guard lock(mutex_);
        pending_.clear();
        for (const Key& key : keys)
            if (inRange(key) && cache_.state(key.stream, key.sample) == MovieFrameCache::State::Unknown)
                pending_.push_back(key);
    }
    wake_.notify_all();
}

MovieFrameCache::State MovieDecoder::state(Key key)
{
    if (!inRange(key))
        return MovieFrameCache::State::Missing;
    std::lock_guard lock(mutex_);
    return cache_.state(key.stream, key.sample);
}

QImage MovieDecoder::frame(Key key)
{
    std::lock_guard lock(mutex_);
    return cache_.take(key.stream, key.sample);
}

void MovieDecoder::waitIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void MovieDecoder::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (stop_)
            return;
        const Key key = pending_.front();
        pending_.pop_front();
        if (cache_.state(key.stream, key.sample) != MovieFrameCache::State::Unknown) {
            if (pending_.empty())
                idle_.notify_all();
            continue;
        }
        busy_ = true;
        lock.unlock();
        MovieStreamDecoder& decoder = *streams_[static_cast<size_t>(key.stream)];
        // Frames decoded on the way are kept too: playing forward needs them next.
        std::vector<std::pair<int, QImage>> decoded;
        const QImage image = decoder.decode(key.sample, [&](int sample, const QImage& frame) {
            decoded.emplace_back(sample, frame);
        });
        lock.lock();
        for (const auto& [sample, frame] : decoded)
            cache_.put(key.stream, sample, frame);
        if (image.isNull())
            cache_.put(key.stream, key.sample, QImage());
        const Ready ready = ready_;
        lock.unlock();
        if (ready)
            ready();
        lock.lock();
        busy_ = false;
        if (pending_.empty())
            idle_.notify_all();
    }
}

} // namespace kesmar
