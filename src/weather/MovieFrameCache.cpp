#include "weather/MovieFrameCache.h"

namespace kesmar {

MovieFrameCache::State MovieFrameCache::state(int stream, int sample) const
{
    const auto it = index_.find(keyOf(stream, sample));
    if (it == index_.end())
        return State::Unknown;
    return it->second->missing ? State::Missing : State::Ready;
}

QImage MovieFrameCache::take(int stream, int sample)
{
    const auto it = index_.find(keyOf(stream, sample));
    if (it == index_.end())
        return {};
    order_.splice(order_.begin(), order_, it->second);
    return it->second->image;
}

void MovieFrameCache::put(int stream, int sample, const QImage& image)
{
    const uint64_t key = keyOf(stream, sample);
    if (const auto it = index_.find(key); it != index_.end()) {
        bytes_ -= costOf(it->second->image);
        order_.erase(it->second);
        index_.erase(it);
    }
    order_.push_front({key, image, image.isNull()});
    index_[key] = order_.begin();
    bytes_ += costOf(image);
    trim();
}

void MovieFrameCache::trim()
{
    // The newest frame always stays, even when it alone is over budget.
    while (bytes_ > budget_ && order_.size() > 1) {
        const Entry& last = order_.back();
        bytes_ -= costOf(last.image);
        index_.erase(last.key);
        order_.pop_back();
    }
}

void MovieFrameCache::clear()
{
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

} // namespace kesmar
