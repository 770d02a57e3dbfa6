#pragma once
#include "weather/MovieDecoder.h"
#include "weather/MovieFile.h"
#include "weather/MoviePlayer.h"

#include <QRect>
#include <QSize>
#include <vector>

namespace kesmar {

// Where each frame of the film strips goes: one row per video stream, top to
// bottom, scrolled by `scrollY`; in a row the frame of the current time
// centred at its own size, then as many neighbours left and right at steps
// of (width + 4) as fit. The main (first) stream's neighbours are its
// neighbouring samples; another stream's are the frames of the time that
// the pixel offset stands for.
class MovieStrips {
public:
    static constexpr int kGap = 4;
    static constexpr int kAheadWhilePlaying = 3; // samples decoded ahead, per unit of speed / 2

    struct Cell {
        MovieDecoder::Key key; // sample -1: before the stream's start
        QRect rect;
        bool centre = false;
    };

    // Cells that touch the client area, centre cells first.
    static std::vector<Cell> layout(const MovieFile& movie, const MoviePlayer& player, QSize client, int scrollY);
    // The frames to decode for those cells, and while playing the next ones.
    static std::vector<MovieDecoder::Key> wanted(const MovieFile& movie, const MoviePlayer& player,
                                                 const std::vector<Cell>& cells);
    // The sample of a stream at a movie time; -1 before its start. At the
    // very end of the movie the last frame stays in view.
    static int sampleAt(const MovieFile::VideoStream& stream, const MoviePlayer& player, int64_t timeMs);
};

} // namespace kesmar
