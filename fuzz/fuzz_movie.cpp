// Weather movie container from arbitrary bytes: FFmpeg opens whatever the
// file is; the frame index and the first frames of every video stream must
// come out or fail with an error, never crash.
#include "weather/MovieFile.h"
#include "weather/MovieStreamDecoder.h"

#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

using namespace kesmar;

namespace {

// FFmpeg reads from a path; a file in memory-backed /dev/shm when there is one.
QString scratchPath()
{
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return QString::fromLatin1(dir) + QStringLiteral("/kesmar-fuzz-movie-%1").arg(::getpid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = scratchPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    Result<MovieFile> movie = MovieFile::open(path);
    if (movie) {
        if (movie.value().streamCount() > MovieFile::kMaxStreams)
            __builtin_trap();
        for (const MovieFile::VideoStream& stream : movie.value().videoStreams()) {
            MovieStreamDecoder decoder(path, stream);
            const int samples = static_cast<int>(stream.frames.size());
            for (int sample : {0, samples / 2, samples - 1}) {
                (void)decoder.decode(sample);
            }
        }
    }
    QFile::remove(path);
    return 0;
}
