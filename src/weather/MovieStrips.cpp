#include "weather/MovieStrips.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

int MovieStrips::sampleAt(const MovieFile::VideoStream& stream, const MoviePlayer& player, int64_t timeMs)
{
    const int64_t offset = timeMs - stream.startMs();
    if (offset < 0)
        return -1;
    const int count = static_cast<int>(stream.frames.size());
    if (timeMs >= player.end() && count > 0 && offset >= stream.endMs())
        return count - 1;
    return static_cast<int>(std::min<int64_t>(offset / MovieFile::kSampleMs, INT32_MAX));
}

std::vector<MovieStrips::Cell> MovieStrips::layout(const MovieFile& movie, const MoviePlayer& player, QSize client,
                                                   int scrollY)
{
    std::vector<Cell> centres;
    std::vector<Cell> others;
    const int64_t now = player.time();
    const auto& streams = movie.videoStreams();
    int y = -scrollY;
    for (int s = 0; s < static_cast<int>(streams.size()); ++s) {
        const auto& video = streams[static_cast<size_t>(s)];
        const int step = video.width + kGap;
        const int side = std::max(0, (client.width() - step) / (2 * step));
        const int centreX = (client.width() - video.width) / 2;
        const int centre = sampleAt(video, player, now);
        if (y + video.height > 0 && y < client.height()) {
            for (int offset = -side; offset <= side; ++offset) {
                int sample = centre < 0 ? -1 : centre + offset;
                if (s > 0 && offset != 0) {
                    const double ms = offset * step * player.microsecondsPerPixel() / 1000.0;
                    sample = sampleAt(video, player, now + static_cast<int64_t>(std::llround(ms)));
                }
                sample = std::max(sample, -1);
                Cell cell{{s, sample}, QRect(centreX + offset * step, y, video.width, video.height), offset == 0};
                (offset == 0 ? centres : others).push_back(cell);
            }
        }
        y += video.height;
    }
    centres.insert(centres.end(), others.begin(), others.end());
    return centres;
}

std::vector<MovieDecoder::Key> MovieStrips::wanted(const MovieFile& movie, const MoviePlayer& player,
                                                   const std::vector<Cell>& cells)
{
    std::vector<MovieDecoder::Key> keys;
    for (const Cell& cell : cells)
        if (cell.key.sample >= 0)
            keys.push_back(cell.key);
    if (player.playing()) {
        const int ahead = kAheadWhilePlaying * player.speed() / 2 + 1;
        const auto& streams = movie.videoStreams();
        for (int s = 0; s < static_cast<int>(streams.size()); ++s) {
            const int centre = sampleAt(streams[static_cast<size_t>(s)], player, player.time());
            for (int a = 1; a <= ahead && centre >= 0; ++a)
                keys.push_back({s, centre + a});
        }
    }
    return keys;
}

} // namespace kesmar
