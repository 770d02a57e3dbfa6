#pragma once
#include "weather/MovieFile.h"
#include "weather/MovieFrameCache.h"

#include <QImage>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace kesmar {

class MovieStreamDecoder;

// Decodes the frames of a loaded movie on a worker thread and keeps them in
// a cache, so the window never waits for a decoder and scrolling back does
// not decode again. The window asks for what it shows (and what comes next);
// a new request replaces the pending one.
class MovieDecoder {
public:
    struct Key {
        int stream; // index into MovieFile::videoStreams()
        int sample;
        bool operator==(const Key&) const = default;
    };
    using Ready = std::function<void()>; // called on the worker thread

    static constexpr size_t kDefaultBudget = size_t(384) << 20;

    explicit MovieDecoder(const MovieFile& movie, size_t cacheBudgetBytes = kDefaultBudget);
    ~MovieDecoder();
    MovieDecoder(const MovieDecoder&) = delete;
    MovieDecoder& operator=(const MovieDecoder&) = delete;

    void setReady(Ready ready);
    // Frames wanted, most important first; keys out of range are Missing at once.
    void request(std::vector<Key> keys);
    MovieFrameCache::State state(Key key);
    QImage frame(Key key);
    // Waits until nothing is pending (tests and benchmarks).
    void waitIdle();

    const MovieFile& movie() const { return movie_; }

private:
    void run();
    bool inRange(Key key) const;

    MovieFile movie_;
    std::vector<std::unique_ptr<MovieStreamDecoder>> streams_; // used by the worker only
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Key> pending_;
    bool busy_ = false;
    bool stop_ = false;
    MovieFrameCache cache_;
    Ready ready_;
    std::thread worker_;
};

} // namespace kesmar
