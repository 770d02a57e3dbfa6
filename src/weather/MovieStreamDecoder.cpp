#include "weather/MovieStreamDecoder.h"

#include "weather/FfmpegHandles.h"

#include <algorithm>

namespace kesmar {

struct MovieStreamDecoder::State {
    ffmpeg::Format format;
    ffmpeg::Codec codec;
    ffmpeg::Packet packet{av_packet_alloc()};
    ffmpeg::Frame frame{av_frame_alloc()};
    SwsContext* scale = nullptr;
    bool positioned = false; // the demuxer and decoder continue from lastSample
    int lastSample = -1;
    bool broken = false;     // the file no longer opens

    ~State() { sws_freeContext(scale); }
};

MovieStreamDecoder::MovieStreamDecoder(QString path, MovieFile::VideoStream stream)
    : path_(std::move(path))
    , stream_(std::move(stream))
    , state_(std::make_unique<State>())
{
}

MovieStreamDecoder::~MovieStreamDecoder() = default;

bool MovieStreamDecoder::ensureOpen()
{
    State& s = *state_;
    if (s.format)
        return true;
    if (s.broken)
        return false;
    QString reason;
    s.format = ffmpeg::openInput(path_, reason);
    if (s.format && avformat_find_stream_info(s.format.get(), nullptr) >= 0
        && stream_.fileIndex < static_cast<int>(s.format->nb_streams))
        s.codec = ffmpeg::openDecoder(s.format->streams[stream_.fileIndex]);
    if (!s.codec) {
        s.format.reset();
        s.broken = true;
        return false;
    }
    s.positioned = true; // at the start of the file
    s.lastSample = -1;
    return true;
}

bool MovieStreamDecoder::seekTo(int keySample)
{
    State& s = *state_;
    const int64_t pts = stream_.frames[static_cast<size_t>(keySample)].pts;
    if (av_seek_frame(s.format.get(), stream_.fileIndex, pts, AVSEEK_FLAG_BACKWARD) < 0) {
        // A broken index cannot seek: read again from the start.
        s.codec.reset();
        s.format.reset();
        return ensureOpen();
    }
    avcodec_flush_buffers(s.codec.get());
    s.positioned = true;
    s.lastSample = -1;
    return true;
}

int MovieStreamDecoder::sampleOf(int64_t pts) const
{
    const auto& frames = stream_.frames;
    if (pts == AV_NOPTS_VALUE)
        return state_->lastSample + 1;
    const auto it = std::lower_bound(frames.begin(), frames.end(), pts,
                                     [](const MovieFile::Frame& f, int64_t value) { return f.pts < value; });
    if (it == frames.end())
        return static_cast<int>(frames.size()) - 1;
    if (it->pts != pts && it != frames.begin())
        return static_cast<int>(it - frames.begin()) - 1;
    return static_cast<int>(it - frames.begin());
}

QImage MovieStreamDecoder::convert(const void* decoded)
{
    const auto* frame = static_cast<const AVFrame*>(decoded);
    if (frame->width <= 0 || frame->height <= 0 || frame->width > 16384 || frame->height > 16384)
        return {};
    State& s = *state_;
    s.scale = sws_getCachedContext(s.scale, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                   frame->width, frame->height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr,
                                   nullptr);
    if (!s.scale)
        return {};
    // swscale's vector code writes past the end of the last line: the
    // picture gets a padded buffer of its own, freed with the image.
    const qsizetype stride = (qsizetype(frame->width) * 4 + 63) & ~qsizetype(63);
    auto* buffer = static_cast<uchar*>(av_malloc(static_cast<size_t>(stride * (frame->height + 2) + 64)));
    if (!buffer)
        return {};
    QImage image(buffer, frame->width, frame->height, stride, QImage::Format_RGB32, [](void* p) { av_free(p); },
                 buffer);
    uint8_t* planes[4] = {buffer, nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(stride), 0, 0, 0};
    if (sws_scale(s.scale, frame->data, frame->linesize, 0, frame->height, planes, strides) <= 0)
        return {};
    return image;
}

QImage MovieStreamDecoder::decode(int sample, const FrameSink& sink)
{
    const int count = static_cast<int>(stream_.frames.size());
    if (sample < 0 || sample >= count || !ensureOpen())
        return {};
    State& s = *state_;
    int key = sample;
    while (key > 0 && !stream_.frames[static_cast<size_t>(key)].key)
        --key;
    const bool onTheWay = s.positioned && sample > s.lastSample && key <= s.lastSample + 1;
    if (!onTheWay && !seekTo(key))
        return {};

    QImage result;
    bool done = false;
    const auto receive = [&] {
        while (avcodec_receive_frame(s.codec.get(), s.frame.get()) == 0) {
            const int at = std::clamp(sampleOf(s.frame->best_effort_timestamp), 0, count - 1);
            QImage image = convert(s.frame.get());
            av_frame_unref(s.frame.get());
            s.lastSample = at;
            if (sink && !image.isNull())
                sink(at, image);
            if (at == sample)
                result = image;
            if (at >= sample)
                done = true;
        }
    };
    while (!done) {
        if (av_read_frame(s.format.get(), s.packet.get()) < 0) {
            avcodec_send_packet(s.codec.get(), nullptr); // drain what the decoder holds
            receive();
            avcodec_flush_buffers(s.codec.get());
            s.positioned = false;
            break;
        }
        if (s.packet->stream_index == stream_.fileIndex) {
            avcodec_send_packet(s.codec.get(), s.packet.get());
            receive();
        }
        av_packet_unref(s.packet.get());
    }
    return result;
}

} // namespace kesmar
