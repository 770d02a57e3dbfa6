#pragma once
// Movies written through FFmpeg's own muxers and encoders, so the tests and
// benchmarks need no sample files: every frame is one solid colour that
// names its stream and frame number.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <QColor>
#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace kesmar::test {

struct MovieRecipe {
    const char* container = "avi";
    AVCodecID codec = AV_CODEC_ID_MPEG4;
    std::vector<int> frames{5}; // frames per stream
    int width = 64;
    int height = 48;
    int gop = 4;                // key frame distance
};

inline QColor movieColour(int stream, int frame)
{
    return QColor(16 + (frame * 23) % 224, 32 + (stream * 53) % 192, 224 - (frame * 11) % 192);
}

inline AVPixelFormat encoderFormat(AVCodecID codec)
{
    switch (codec) {
    case AV_CODEC_ID_RAWVIDEO: return AV_PIX_FMT_BGR24;
    case AV_CODEC_ID_MJPEG: return AV_PIX_FMT_YUVJ420P;
    default: return AV_PIX_FMT_YUV420P;
    }
}

// Writes the movie; an empty string on success, otherwise what failed.
inline std::string writeMovie(const QString& path, const MovieRecipe& recipe)
{
    AVFormatContext* out = nullptr;
    const QByteArray file = path.toUtf8();
    if (avformat_alloc_output_context2(&out, nullptr, recipe.container, file.constData()) < 0)
        return "no muxer";
    std::vector<AVCodecContext*> encoders;
    std::string failure;
    const AVCodec* codec = avcodec_find_encoder(recipe.codec);
    for (size_t s = 0; s < recipe.frames.size() && failure.empty(); ++s) {
        AVStream* stream = avformat_new_stream(out, nullptr);
        AVCodecContext* enc = avcodec_alloc_context3(codec);
        encoders.push_back(enc);
        enc->width = recipe.width;
        enc->height = recipe.height;
        enc->pix_fmt = encoderFormat(recipe.codec);
        enc->time_base = {1, 1};
        stream->time_base = {1, 1};
        enc->framerate = {1, 1};
        enc->gop_size = recipe.gop;
        enc->max_b_frames = 0;
        enc->bit_rate = 400000;
        // Every frame is another colour: without this each would be a scene change and a key frame.
        av_opt_set_int(enc, "sc_threshold", 1000000000, AV_OPT_SEARCH_CHILDREN);
        if (out->oformat->flags & AVFMT_GLOBALHEADER)
            enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(enc, codec, nullptr) < 0 || avcodec_parameters_from_context(stream->codecpar, enc) < 0)
            failure = "encoder";
    }
    if (failure.empty() && avio_open(&out->pb, file.constData(), AVIO_FLAG_WRITE) < 0)
        failure = "open";
    if (failure.empty() && avformat_write_header(out, nullptr) < 0)
        failure = "header";
    AVPacket* packet = av_packet_alloc();
    const auto drain = [&](size_t s) {
        while (avcodec_receive_packet(encoders[s], packet) == 0) {
            av_packet_rescale_ts(packet, encoders[s]->time_base, out->streams[s]->time_base);
            packet->stream_index = static_cast<int>(s);
            av_interleaved_write_frame(out, packet);
        }
    };
    int most = 0;
    for (int n : recipe.frames)
        most = std::max(most, n);
    AVFrame* frame = av_frame_alloc();
    for (int f = 0; f < most && failure.empty(); ++f) {
        for (size_t s = 0; s < recipe.frames.size(); ++s) {
            if (f >= recipe.frames[s])
                continue;
            // Two spare lines: swscale's vector code reads past the last one.
            QImage rgb(recipe.width, recipe.height + 2, QImage::Format_RGB888);
            rgb.fill(movieColour(static_cast<int>(s), f));
            av_frame_unref(frame);
            frame->format = encoders[s]->pix_fmt;
            frame->width = recipe.width;
            frame->height = recipe.height;
            av_frame_get_buffer(frame, 0);
            SwsContext* sws = sws_getContext(recipe.width, recipe.height, AV_PIX_FMT_RGB24, recipe.width, recipe.height,
                                             encoders[s]->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
            const uint8_t* src[4] = {rgb.constBits(), nullptr, nullptr, nullptr};
            const int srcStride[4] = {static_cast<int>(rgb.bytesPerLine()), 0, 0, 0};
            sws_scale(sws, src, srcStride, 0, recipe.height, frame->data, frame->linesize);
            sws_freeContext(sws);
            frame->pts = f;
            avcodec_send_frame(encoders[s], frame);
            drain(s);
        }
    }
    for (size_t s = 0; s < encoders.size() && failure.empty(); ++s) {
        avcodec_send_frame(encoders[s], nullptr);
        drain(s);
    }
    if (failure.empty())
        av_write_trailer(out);
    av_frame_free(&frame);
    av_packet_free(&packet);
    for (AVCodecContext* enc : encoders)
        avcodec_free_context(&enc);
    if (out->pb)
        avio_closep(&out->pb);
    avformat_free_context(out);
    return failure;
}

// Largest difference of one colour channel.
inline int colourDistance(const QColor& a, const QColor& b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

} // namespace kesmar::test
