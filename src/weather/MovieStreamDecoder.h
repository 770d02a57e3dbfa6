#pragma once
#include "weather/MovieFile.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

namespace kesmar {

// Decodes frames of one video stream of a MovieFile; its own demuxer and
// decoder, so that several streams decode independently. Not thread-safe:
// one decoder belongs to one thread.
class MovieStreamDecoder {
public:
    // Called for every frame decoded on the way, the asked one included.
    using FrameSink = std::function<void(int sample, const QImage& image)>;

    MovieStreamDecoder(QString path, MovieFile::VideoStream stream);
    ~MovieStreamDecoder();
    MovieStreamDecoder(const MovieStreamDecoder&) = delete;
    MovieStreamDecoder& operator=(const MovieStreamDecoder&) = delete;

    // Decodes forward from the key frame before `sample` (or from where the
    // last call stopped, when that is on the way). A null image: the frame
    // does not exist or does not decode.
    QImage decode(int sample, const FrameSink& sink = {});

    const MovieFile::VideoStream& stream() const { return stream_; }

private:
    struct State;
    bool ensureOpen();
    bool seekTo(int keySample);
    int sampleOf(int64_t pts) const;
    QImage convert(const void* frame);

    QString path_;
    MovieFile::VideoStream stream_;
    std::unique_ptr<State> state_;
};

} // namespace kesmar
