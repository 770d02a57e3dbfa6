#pragma once
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>

namespace kesmar {

// Decoded frames by (video stream, sample), least recently used dropped
// first once the byte budget is spent. Frames that could not be decoded are
// remembered as missing, so they are not asked for again. Not locked: the
// owner serialises access.
class MovieFrameCache {
public:
    enum class State { Unknown, Ready, Missing };

    explicit MovieFrameCache(size_t budgetBytes) : budget_(budgetBytes) {}

    State state(int stream, int sample) const;
    // The frame, touched as recently used; null unless Ready.
    QImage take(int stream, int sample);
    void put(int stream, int sample, const QImage& image); // a null image is Missing
    void clear();

    size_t bytes() const { return bytes_; }
    size_t frames() const { return index_.size(); }

private:
    struct Entry {
        uint64_t key;
        QImage image;
        bool missing;
    };
    static uint64_t keyOf(int stream, int sample)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(stream)) << 32) | static_cast<uint32_t>(sample);
    }
    static size_t costOf(const QImage& image) { return static_cast<size_t>(image.sizeInBytes()) + 64; }
    void trim();

    size_t budget_;
    size_t bytes_ = 0;
    std::list<Entry> order_; // most recently used first
    std::unordered_map<uint64_t, std::list<Entry>::iterator> index_;
};

} // namespace kesmar
