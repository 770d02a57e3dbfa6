#include "weather/MovieFile.h"

#include "weather/FfmpegHandles.h"

#include <algorithm>

namespace kesmar {
namespace {

// A bound on the packet pass, so that a file claiming endless packets cannot hold the loader.
constexpr int64_t kMaxPackets = 4'000'000;

bool isPicture(const AVStream* stream)
{
    return stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO
           && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0;
}

} // namespace

Result<MovieFile> MovieFile::open(const QString& path)
{
    // Failures come back as errors; FFmpeg's own console chatter is not for the user.
    av_log_set_level(AV_LOG_QUIET);
    QString reason;
    ffmpeg::Format format = ffmpeg::openInput(path, reason);
    if (!format)
        return Error::inFile(path, reason);
    if (const int rc = avformat_find_stream_info(format.get(), nullptr); rc < 0)
        return Error::inFile(path, ffmpeg::errorText(rc));

    MovieFile movie;
    movie.path_ = path;
    const int streams = static_cast<int>(format->nb_streams);
    movie.exceeded_ = streams > kMaxStreams;
    movie.streamCount_ = std::min(streams, kMaxStreams);
    std::vector<int> slot(static_cast<size_t>(streams), -1);
    for (int i = 0; i < movie.streamCount_; ++i) {
        const AVStream* stream = format->streams[i];
        const AVCodecParameters* par = stream->codecpar;
        if (!isPicture(stream) || par->width <= 0 || par->height <= 0 || !ffmpeg::movieDecoder(par->codec_id))
            continue; // not drawn, but counted
        slot[static_cast<size_t>(i)] = static_cast<int>(movie.video_.size());
        movie.video_.push_back({i, par->width, par->height, {}});
    }
    if (movie.video_.empty())
        return Error::inFile(path, QStringLiteral("no video stream that can be decoded"));

    ffmpeg::Packet packet(av_packet_alloc());
    for (int64_t n = 0; n < kMaxPackets && av_read_frame(format.get(), packet.get()) >= 0; ++n) {
        const int index = packet->stream_index;
        if (index >= 0 && index < streams && slot[static_cast<size_t>(index)] >= 0) {
            auto& frames = movie.video_[static_cast<size_t>(slot[static_cast<size_t>(index)])].frames;
            int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (ts == AV_NOPTS_VALUE)
                ts = frames.empty() ? 0 : frames.back().pts + 1;
            frames.push_back({ts, (packet->flags & AV_PKT_FLAG_KEY) != 0});
        }
        av_packet_unref(packet.get());
    }
    for (VideoStream& video : movie.video_) {
        std::stable_sort(video.frames.begin(), video.frames.end(),
                         [](const Frame& a, const Frame& b) { return a.pts < b.pts; });
        if (!video.frames.empty())
            video.frames.front().key = true; // decoding starts somewhere
    }
    return movie;
}

} // namespace kesmar
