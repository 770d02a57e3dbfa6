#include "weather/MovieDecoder.h"
#include "weather/MovieFile.h"
#include "weather/MovieFrameCache.h"
#include "weather/MovieStreamDecoder.h"
#include "weather/MovieStrips.h"

#include "MovieTestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

class MovieFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const test::MovieRecipe& recipe)
    {
        const QString path = dir.filePath(name);
        const std::string failure = test::writeMovie(path, recipe);
        EXPECT_EQ(failure, "") << name.toStdString();
        return path;
    }
    static QColor centre(const QImage& image) { return image.pixelColor(image.width() / 2, image.height() / 2); }

    QTemporaryDir dir;
};

struct CodecCase {
    const char* name;
    const char* container;
    AVCodecID codec;
    int tolerance;
};

class MovieCodecs : public MovieFiles, public ::testing::WithParamInterface<CodecCase> {};

TEST_P(MovieCodecs, EveryFrameOfEveryStreamInAnyOrder)
{
    const CodecCase& c = GetParam();
    test::MovieRecipe recipe;
    recipe.container = c.container;
    recipe.codec = c.codec;
    recipe.frames = {9, 4};
    const QString path = write(QStringLiteral("movie.") + (c.container[0] == 'm' ? QStringLiteral("mkv") : QStringLiteral("avi")), recipe);
    const auto movie = MovieFile::open(path);
    ASSERT_TRUE(movie.ok()) << movie.error().describe().toStdString();
    ASSERT_EQ(movie->videoStreams().size(), 2u);
    EXPECT_EQ(movie->videoStreams()[0].frames.size(), 9u);
    EXPECT_EQ(movie->videoStreams()[1].frames.size(), 4u);
    EXPECT_EQ(movie->videoStreams()[0].width, 64);
    EXPECT_EQ(movie->videoStreams()[0].height, 48);
    EXPECT_EQ(movie->videoStreams()[0].endMs(), 9000);

    for (int s = 0; s < 2; ++s) {
        MovieStreamDecoder decoder(path, movie->videoStreams()[static_cast<size_t>(s)]);
        const int count = static_cast<int>(movie->videoStreams()[static_cast<size_t>(s)].frames.size());
        // Backwards, forwards, jumps: each time the frame asked for.
        for (int sample : {count - 1, 0, 2, 1, count - 2, 3, count - 1}) {
            const QImage image = decoder.decode(sample);
            ASSERT_FALSE(image.isNull()) << c.name << " stream " << s << " sample " << sample;
            EXPECT_EQ(image.size(), QSize(64, 48));
            EXPECT_LE(test::colourDistance(centre(image), test::movieColour(s, sample)), c.tolerance)
                << c.name << " stream " << s << " sample " << sample;
        }
        EXPECT_TRUE(decoder.decode(count).isNull());
        EXPECT_TRUE(decoder.decode(-1).isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, MovieCodecs,
                         ::testing::Values(CodecCase{"raw_avi", "avi", AV_CODEC_ID_RAWVIDEO, 2},
                                           CodecCase{"mjpeg_avi", "avi", AV_CODEC_ID_MJPEG, 10},
                                           CodecCase{"mpeg4_avi", "avi", AV_CODEC_ID_MPEG4, 10},
                                           CodecCase{"mpeg4_mkv", "matroska", AV_CODEC_ID_MPEG4, 10}),
                         [](const ::testing::TestParamInfo<CodecCase>& row) { return std::string(row.param.name); });

TEST_F(MovieFiles, MoreThanSeventyFiveStreamsUsesTheFirstSeventyFive)
{
    test::MovieRecipe recipe;
    recipe.codec = AV_CODEC_ID_RAWVIDEO;
    recipe.width = 8;
    recipe.height = 8;
    recipe.frames = std::vector<int>(80, 1);
    const auto movie = MovieFile::open(write(QStringLiteral("many.avi"), recipe));
    ASSERT_TRUE(movie.ok());
    EXPECT_TRUE(movie->exceededStreams());
    EXPECT_EQ(movie->streamCount(), 75);
    EXPECT_EQ(movie->videoStreams().size(), 75u);
}

TEST_F(MovieFiles, StreamWithoutFramesIsEmpty)
{
    test::MovieRecipe recipe;
    recipe.frames = {0};
    const QString path = write(QStringLiteral("empty.avi"), recipe);
    const auto movie = MovieFile::open(path);
    ASSERT_TRUE(movie.ok()) << movie.error().describe().toStdString();
    ASSERT_EQ(movie->videoStreams().size(), 1u);
    EXPECT_TRUE(movie->videoStreams()[0].frames.empty());
    EXPECT_EQ(movie->videoStreams()[0].endMs(), 0);
    MovieStreamDecoder decoder(path, movie->videoStreams()[0]);
    EXPECT_TRUE(decoder.decode(0).isNull());
}

TEST_F(MovieFiles, FilesThatAreNoMoviesAreErrorsNamingTheFile)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"text.avi", "BULLETIN FOR THE NORTHSEA\r\nDEUTSCHE BUCHT NW 5\r\n"},
        {"empty.avi", ""},
        {"riff.avi", QByteArray("RIFF\x10\x00\x00\x00" "AVI LIST", 16)},
    };
    for (const auto& row : rows) {
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(row.bytes);
        f.close();
        const auto movie = MovieFile::open(path);
        ASSERT_FALSE(movie.ok()) << row.name;
        EXPECT_EQ(movie.error().file, path);
    }
    EXPECT_FALSE(MovieFile::open(dir.filePath(QStringLiteral("missing.avi"))).ok());
}

// Only the containers and decoders of weather movies are used: an image in
// a format an outside library decodes (a JPEG XL codestream that crashed it
// under the fuzzer), a picture file and a playlist naming another movie are
// all refused, although the installed FFmpeg could open each.
TEST_F(MovieFiles, OtherFormatsThanMoviesAreRefused)
{
    test::MovieRecipe recipe;
    const QString movie = write(QStringLiteral("good.avi"), recipe);
    ASSERT_TRUE(MovieFile::open(movie).ok());
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage picture(16, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(&buffer, "PNG"));
    }
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"jxl.avi", QByteArray::fromBase64("/wpbY///AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"
                                           "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAZWNfd2hpdAo=")},
        {"picture.avi", png},
        {"list.avi", "ffconcat version 1.0\nfile 'good.avi'\n"},
    };
    for (const auto& row : rows) {
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(row.bytes);
        f.close();
        const auto opened = MovieFile::open(path);
        EXPECT_FALSE(opened.ok()) << row.name;
        if (opened.ok())
            for (const auto& stream : opened->videoStreams())
                (void)MovieStreamDecoder(path, stream).decode(0);
    }
}

TEST_F(MovieFiles, BrokenIndexAndCutFileStillGiveTheirFrames)
{
    test::MovieRecipe recipe;
    recipe.frames = {8};
    const QString path = write(QStringLiteral("good.avi"), recipe);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();
    const qsizetype idx = good.lastIndexOf("idx1");
    ASSERT_GT(idx, 0);

    QByteArray broken = good;
    for (qsizetype i = idx + 8; i < broken.size(); ++i)
        broken[i] = static_cast<char>(0xA5 ^ (i * 7));
    QByteArray cut = good.left(idx - 150); // into the last frames

    for (const auto& [name, bytes] : {std::pair{"broken.avi", broken}, std::pair{"cut.avi", cut}}) {
        const QString damaged = dir.filePath(QString::fromLatin1(name));
        QFile out(damaged);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        const auto movie = MovieFile::open(damaged);
        ASSERT_TRUE(movie.ok()) << name;
        ASSERT_EQ(movie->videoStreams().size(), 1u);
        const auto& stream = movie->videoStreams()[0];
        EXPECT_GE(stream.frames.size(), 1u) << name;
        MovieStreamDecoder decoder(damaged, stream);
        // The cut-off last frame of the cut file may show damage; the others may not.
        const int whole = static_cast<int>(stream.frames.size()) - (bytes.size() < good.size() ? 1 : 0);
        EXPECT_GE(whole, 5) << name;
        for (int sample = whole - 1; sample >= 0; --sample) {
            const QImage image = decoder.decode(sample);
            ASSERT_FALSE(image.isNull()) << name << sample;
            EXPECT_LE(test::colourDistance(centre(image), test::movieColour(0, sample)), 10) << name << sample;
        }
        decoder.decode(static_cast<int>(stream.frames.size()) - 1); // damaged or not, it returns
    }
}

TEST(MovieFrameCache, DropsTheLeastRecentlyUsedBeyondItsBudget)
{
    QImage frame(10, 10, QImage::Format_RGB32); // 400 bytes + 64
    MovieFrameCache cache(3 * 464);
    cache.put(0, 0, frame);
    cache.put(0, 1, frame);
    cache.put(0, 2, frame);
    EXPECT_FALSE(cache.take(0, 0).isNull()); // 0 is now the most recent
    cache.put(1, 0, frame);                  // drops (0, 1)
    EXPECT_EQ(cache.state(0, 1), MovieFrameCache::State::Unknown);
    EXPECT_EQ(cache.state(0, 0), MovieFrameCache::State::Ready);
    EXPECT_EQ(cache.state(0, 2), MovieFrameCache::State::Ready);
    EXPECT_EQ(cache.state(1, 0), MovieFrameCache::State::Ready);
    cache.put(2, 7, QImage());
    EXPECT_EQ(cache.state(2, 7), MovieFrameCache::State::Missing);
    EXPECT_EQ(cache.frames(), 3u);
}

TEST_F(MovieFiles, DecoderThreadKeepsFramesDecodedOnTheWay)
{
    test::MovieRecipe recipe;
    recipe.frames = {10, 2};
    recipe.gop = 5;
    const auto movie = MovieFile::open(write(QStringLiteral("two.avi"), recipe));
    ASSERT_TRUE(movie.ok());
    MovieDecoder decoder(*movie);
    std::atomic<int> readies{0};
    decoder.setReady([&] { ++readies; });
    decoder.request({{0, 8}, {1, 1}, {1, 5}, {7, 0}});
    decoder.waitIdle();
    EXPECT_EQ(decoder.state({0, 8}), MovieFrameCache::State::Ready);
    for (int sample = 5; sample < 8; ++sample) // from the key frame at 5
        EXPECT_EQ(decoder.state({0, sample}), MovieFrameCache::State::Ready) << sample;
    EXPECT_EQ(decoder.state({0, 4}), MovieFrameCache::State::Unknown);
    EXPECT_EQ(decoder.state({1, 1}), MovieFrameCache::State::Ready);
    EXPECT_EQ(decoder.state({1, 5}), MovieFrameCache::State::Missing);
    EXPECT_EQ(decoder.state({7, 0}), MovieFrameCache::State::Missing);
    EXPECT_GE(readies.load(), 2);
    EXPECT_LE(test::colourDistance(centre(decoder.frame({0, 8})), test::movieColour(0, 8)), 10);
}

TEST_F(MovieFiles, StripsCentreTheCurrentFrameWithNeighboursByTime)
{
    test::MovieRecipe recipe;
    recipe.codec = AV_CODEC_ID_RAWVIDEO;
    recipe.width = 40;
    recipe.height = 30;
    recipe.frames = {5, 5};
    const auto movie = MovieFile::open(write(QStringLiteral("strips.avi"), recipe));
    ASSERT_TRUE(movie.ok());
    MoviePlayer player;
    player.setMovie(0, 5000, 40); // 1 000 000 / 44 = 22 727 us per pixel
    ASSERT_TRUE(player.scroll(MoviePlayer::Scroll::Thumb, 4000)); // 2 000 ms: sample 2
    const auto cells = MovieStrips::layout(*movie, player, QSize(400, 100), 0);
    // (400 - 44) / 88 = 4 neighbours each side of the main stream's frame.
    ASSERT_EQ(cells.size(), 18u);
    EXPECT_TRUE(cells[0].centre);
    EXPECT_EQ(cells[0].key, (MovieDecoder::Key{0, 2}));
    EXPECT_EQ(cells[0].rect, QRect(180, 0, 40, 30));
    EXPECT_EQ(cells[1].key, (MovieDecoder::Key{1, 2}));
    EXPECT_EQ(cells[1].rect, QRect(180, 30, 40, 30));
    const auto at = [&](int stream, int x) {
        for (const auto& cell : cells)
            if (cell.key.stream == stream && cell.rect.x() == x)
                return cell.key.sample;
        return -99;
    };
    EXPECT_EQ(at(0, 180 - 2 * 44), 0);
    EXPECT_EQ(at(0, 180 - 3 * 44), -1); // before the start
    EXPECT_EQ(at(0, 180 + 4 * 44), 6);  // past the end: decoded as missing
    // The second stream steps by its own width in time: 44 px = 1 000 ms here too.
    EXPECT_EQ(at(1, 180 + 44), 3);
    EXPECT_EQ(at(1, 180 - 3 * 44), -1);

    ASSERT_TRUE(player.scroll(MoviePlayer::Scroll::End));
    const auto end = MovieStrips::layout(*movie, player, QSize(400, 100), 10);
    EXPECT_EQ(end[0].key, (MovieDecoder::Key{0, 4})); // the last frame stays in view
    EXPECT_EQ(end[0].rect.y(), -10);
    EXPECT_EQ(MovieStrips::layout(*movie, player, QSize(400, 100), 30)[0].key.stream, 1); // first row scrolled out
    EXPECT_EQ(MovieStrips::layout(*movie, player, QSize(30, 100), 0).size(), 2u); // narrower than a frame

    player.play(0);
    const auto wanted = MovieStrips::wanted(*movie, player, MovieStrips::layout(*movie, player, QSize(44, 100), 0));
    // Playing restarts from the start: the two centre frames, then those ahead of the clock.
    ASSERT_GE(wanted.size(), 4u);
    EXPECT_EQ(wanted[0], (MovieDecoder::Key{0, 0}));
    EXPECT_EQ(wanted[2], (MovieDecoder::Key{0, 1}));
}

} // namespace
} // namespace kesmar
