#pragma once
#include "core/Error.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace kesmar {

// What a weather movie holds, read through FFmpeg from any container it
// knows (AVI as the receiving system writes it, MP4, MKV, animated GIF).
// Every stream is counted, up to 75; each video stream with a decoder gets
// its frame index from one pass over the packets, so a damaged or missing
// container index does not matter. Frame n of a stream is "sample" n: the
// player shows one sample per second of movie time, whatever rate the file
// names.
class MovieFile {
public:
    static constexpr int kMaxStreams = 75;
    static constexpr int64_t kSampleMs = 1000;

    struct Frame {
        int64_t pts = 0;  // in the stream's time base
        bool key = false;
    };
    struct VideoStream {
        int fileIndex = -1;   // index of the stream in the container
        int width = 0;
        int height = 0;
        std::vector<Frame> frames; // in presentation order
        int64_t startMs() const { return 0; }
        int64_t endMs() const { return static_cast<int64_t>(frames.size()) * kSampleMs; }
    };

    // Damaged or foreign files give an error that says why.
    static Result<MovieFile> open(const QString& path);

    const QString& path() const { return path_; }
    int streamCount() const { return streamCount_; }   // streams taken, at most 75
    bool exceededStreams() const { return exceeded_; } // the file had more than 75
    const std::vector<VideoStream>& videoStreams() const { return video_; }

private:
    QString path_;
    int streamCount_ = 0;
    bool exceeded_ = false;
    std::vector<VideoStream> video_;
};

} // namespace kesmar
