#pragma once
// Owning handles for the FFmpeg objects of the movie reader.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <QByteArray>
#include <QString>
#include <memory>

namespace kesmar::ffmpeg {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ScaleFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

using Format = std::unique_ptr<AVFormatContext, FormatCloser>;
using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Scale = std::unique_ptr<SwsContext, ScaleFreer>;

inline QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// A movie file comes from anywhere: FFmpeg may only use the containers and
// video decoders of weather animations, its own code, and local files. The
// rest of what the installed libraries can probe (image formats handed to
// outside decoders, playlists that name further files) stays shut.
inline constexpr const char* kMovieFormats = "avi,matroska,webm,mov,mp4,gif";
inline constexpr const char* kMovieDecoders =
    "rawvideo,msrle,msvideo1,cinepak,tscc,indeo3,indeo4,indeo5,mjpeg,mpeg1video,mpeg2video,"
    "mpeg4,msmpeg4v1,msmpeg4v2,msmpeg4,h263,h264,hevc,vp8,vp9,gif,png,bmp";

// The decoder for a codec when it is one of kMovieDecoders, else nullptr.
inline const AVCodec* movieDecoder(AVCodecID id)
{
    const AVCodec* codec = avcodec_find_decoder(id);
    if (!codec)
        return nullptr;
    const QByteArray name(codec->name);
    for (const QByteArray& allowed : QByteArray(kMovieDecoders).split(','))
        if (allowed == name)
            return codec;
    return nullptr;
}

// Opens the container; nullptr and the reason otherwise.
inline Format openInput(const QString& path, QString& reason)
{
    AVFormatContext* raw = nullptr;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kMovieFormats, 0);
    av_dict_set(&options, "codec_whitelist", kMovieDecoders, 0); // the probing in avformat_find_stream_info
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int rc = avformat_open_input(&raw, path.toUtf8().constData(), nullptr, &options);
    av_dict_free(&options);
    if (rc < 0) {
        reason = errorText(rc);
        return nullptr;
    }
    return Format(raw);
}

// A decoder for the stream; nullptr when it has none of kMovieDecoders.
inline Codec openDecoder(const AVStream* stream)
{
    const AVCodec* codec = movieDecoder(stream->codecpar->codec_id);
    if (!codec)
        return nullptr;
    Codec context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0)
        return nullptr;
    context->thread_count = 1; // one decoder thread per stream is enough for weather charts
    if (avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

} // namespace kesmar::ffmpeg
