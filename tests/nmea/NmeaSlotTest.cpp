#include "nmea/NmeaLineSplitter.h"
#include "nmea/NmeaSlot.h"
#include "nmea/NmeaSlotSender.h"
#include "support/QtTestApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <thread>
#include <fcntl.h>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace kesmar;

namespace {

// The address of the socket file at `path`.
sockaddr_un socketAddress(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(address.sun_path, native.constData(), std::min(size_t(native.size()), sizeof address.sun_path - 1));
    return address;
}

QCoreApplication* app() { return &kesmar::test::qtTestApplication(); }

bool waitFor(QSignalSpy& spy, int count)
{
    QElapsedTimer clock;
    clock.start();
    while (spy.count() < count && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return spy.count() >= count;
}

TEST(NmeaSlot, ReceivesAnyDatagram)
{
    app();
    QTemporaryDir dir;
    const QString path = dir.filePath("run/nmea.sock");
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(path, &error)) << error.toStdString();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("run")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    QSignalSpy spy(&slot, &NmeaSlot::datagramReceived);
    NmeaSlotSender sender;
    sender.setPath(path);
    const QByteArray cases[] = {QByteArray("$GPGLL,5412.345,N,01005.678,E"), QByteArray("a\0b\nc", 5),
                                QByteArray(1, '\xff'), QByteArray(128, 'x')};
    for (const QByteArray& bytes : cases)
        EXPECT_EQ(sender.send(bytes), NmeaSlotSender::Result::Sent);
    EXPECT_EQ(sender.send(QByteArray(129, 'x')), NmeaSlotSender::Result::Dropped);

    // A foreign sender may write more than the buffer: it is cut, not overrun.
    int raw = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address = socketAddress(path);
    const QByteArray huge(300, '$');
    ASSERT_EQ(::sendto(raw, huge.constData(), size_t(huge.size()), 0, reinterpret_cast<sockaddr*>(&address),
                       sizeof address), 300);
    ::close(raw);

    ASSERT_TRUE(waitFor(spy, 5));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(spy.at(i).at(0).toByteArray(), cases[i]);
    EXPECT_EQ(spy.at(4).at(0).toByteArray().size(), NmeaSlot::kBufferSize);
}

TEST(NmeaSlot, ReplacesStaleSocketButNotALiveOne)
{
    app();
    QTemporaryDir dir;
    const QString path = dir.filePath("nmea.sock");
    QString error;
    {
        // A dead instance's socket file: bound, then the descriptor closed.
        int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address = socketAddress(path);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    NmeaSlot first;
    ASSERT_TRUE(first.open(path, &error)) << error.toStdString();
    NmeaSlot second;
    EXPECT_FALSE(second.open(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(path));

    NmeaSlot longName;
    EXPECT_FALSE(longName.open(dir.filePath(QString(200, 'n')), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(NmeaSlot, FolderMustBeOursAndClosed)
{
    app();
    QTemporaryDir dir;
    const QByteArray open = QFile::encodeName(dir.filePath("open"));
    ASSERT_EQ(::mkdir(open.constData(), 0755), 0);
    ::chmod(open.constData(), 0755);
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(dir.filePath("open/nmea.sock"), &error)) << error.toStdString();
    struct stat info {};
    ::stat(open.constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    ::symlink(open.constData(), QFile::encodeName(dir.filePath("link")).constData());
    EXPECT_FALSE(NmeaSlot().open(dir.filePath("link/other.sock"), &error));

    // A folder of another user: made and given away as root, otherwise /tmp (root's).
    QString foreignDir = QStringLiteral("/tmp");
    if (::getuid() == 0) {
        foreignDir = dir.filePath("foreign");
        const QByteArray foreign = QFile::encodeName(foreignDir);
        ASSERT_EQ(::mkdir(foreign.constData(), 0700), 0);
        ASSERT_EQ(::chown(foreign.constData(), 65534, 65534), 0);
    }
    struct stat owner {};
    ASSERT_EQ(::stat(QFile::encodeName(foreignDir).constData(), &owner), 0);
    ASSERT_NE(owner.st_uid, ::getuid());
    const QString socketPath = foreignDir + QStringLiteral("/kesmar-foreign-%1.sock").arg(::getpid());
    EXPECT_FALSE(NmeaSlot().open(socketPath, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EPERM)));
    EXPECT_FALSE(QFileInfo::exists(socketPath));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EPERM)));
}

TEST(NmeaSlot, DefaultPathIsPerUser)
{
    const QString path = NmeaSlot::defaultPath();
    EXPECT_TRUE(path.endsWith("/nmea.sock"));
    EXPECT_TRUE(path.contains("kesmar"));
}

TEST(NmeaSlotSender, NoPlotterIsNotAnError)
{
    QTemporaryDir dir;
    NmeaSlotSender sender;
    sender.setPath(dir.filePath("absent.sock"));
    EXPECT_EQ(sender.send("$GPGLL"), NmeaSlotSender::Result::NoPlotter);
}

// A plain datagram socket bound at `path`, standing in for the plotter.
int boundSocket(const QString& path)
{
    int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address = socketAddress(path);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    return fd;
}

TEST(NmeaSlot, EmptyDatagramIsNoError)
{
    app();
    QTemporaryDir dir;
    const QString path = dir.filePath("nmea.sock");
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(path, &error)) << error.toStdString();
    QSignalSpy received(&slot, &NmeaSlot::datagramReceived);
    QSignalSpy failed(&slot, &NmeaSlot::readError);
    const int raw = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address = socketAddress(path);
    ASSERT_EQ(::sendto(raw, "", 0, 0, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::sendto(raw, "$GPTXT", 6, 0, reinterpret_cast<sockaddr*>(&address), sizeof address), 6);
    ::close(raw);
    ASSERT_TRUE(waitFor(received, 2));
    EXPECT_EQ(received.at(0).at(0).toByteArray(), QByteArray());
    EXPECT_EQ(received.at(1).at(0).toByteArray(), QByteArray("$GPTXT"));
    EXPECT_EQ(failed.count(), 0);
}

TEST(NmeaSlotSender, PathTooLongIsNoPlotter)
{
    NmeaSlotSender sender;
    sender.setPath(QStringLiteral("/tmp/") + QString(200, QLatin1Char('n')));
    QString error;
    EXPECT_EQ(sender.send("$GPTXT", &error), NmeaSlotSender::Result::NoPlotter);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENAMETOOLONG)));
}

TEST(NmeaSlotSender, FullQueueWaitsForTheReader)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nmea.sock");
    const int plotter = boundSocket(path);
    NmeaSlotSender sender;
    sender.setPath(path);
    sender.setWaitMilliseconds(0);
    int sent = 0;
    while (sent < 100000 && sender.send("$GPTXT,fill") == NmeaSlotSender::Result::Sent) ++sent;
    ASSERT_LT(sent, 100000) << "the queue never filled";
    // Full, and no time to wait: dropped. With time, sent as soon as the
    // plotter reads one.
    EXPECT_EQ(sender.send("$GPTXT,x"), NmeaSlotSender::Result::Dropped);
    sender.setWaitMilliseconds(10000);
    std::thread reader([plotter] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        char buffer[256];
        EXPECT_GT(::recv(plotter, buffer, sizeof buffer, 0), 0);
    });
    EXPECT_EQ(sender.send("$GPTXT,x"), NmeaSlotSender::Result::Sent);
    reader.join();
    ::close(plotter);
}

TEST(NmeaSlotSender, PlotterGoneIsNoPlotter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nmea.sock");
    const int plotter = boundSocket(path);
    NmeaSlotSender sender;
    sender.setPath(path);
    EXPECT_EQ(sender.send("$GPTXT,a"), NmeaSlotSender::Result::Sent);
    ::close(plotter);
    QString error;
    EXPECT_EQ(sender.send("$GPTXT,b", &error), NmeaSlotSender::Result::NoPlotter);
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ECONNREFUSED)));
}

// Started with standard input closed, the sockets get descriptor 0.
TEST(NmeaSlot, WorksOnDescriptorZero)
{
    app();
    QTemporaryDir dir;
    const QString path = dir.filePath("nmea.sock");
    const int savedInput = ::dup(0);
    ASSERT_GE(savedInput, 0);
    ::close(0);
    bool received = false;
    bool removed = false;
    bool slotFdFree = false;
    bool senderFdFree = false;
    {
        NmeaSlot slot;
        QString error;
        const bool opened = slot.open(path, &error);
        EXPECT_EQ(::fcntl(0, F_GETFD) >= 0, true) << "the slot's socket is descriptor 0";
        QSignalSpy spy(&slot, &NmeaSlot::datagramReceived);
        const int plotterSide = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address = socketAddress(path);
        if (opened)
            ::sendto(plotterSide, "$GPTXT", 6, 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::close(plotterSide);
        received = opened && waitFor(spy, 1);
        slot.close();
        removed = !QFile::exists(path);
        slotFdFree = ::fcntl(0, F_GETFD) < 0;

        // The sender side, on descriptor 0 as well: closed when it goes.
        const int bound = boundSocket(path); // takes descriptor 0: moved away
        const int plotter = ::dup(bound);
        ::close(bound);
        {
            NmeaSlotSender sender;
            sender.setPath(path);
            EXPECT_EQ(sender.send("$GPTXT"), NmeaSlotSender::Result::Sent);
            EXPECT_EQ(::fcntl(0, F_GETFD) >= 0, true) << "the sender's socket is descriptor 0";
        }
        senderFdFree = ::fcntl(0, F_GETFD) < 0;
        ::close(plotter);
    }
    ::dup2(savedInput, 0);
    ::close(savedInput);
    EXPECT_TRUE(received);
    EXPECT_TRUE(removed);
    EXPECT_TRUE(slotFdFree);
    EXPECT_TRUE(senderFdFree);
}

TEST(NmeaLineSplitter, FramesSentences)
{
    NmeaLineSplitter splitter(90);
    QList<QByteArray> out;
    auto sink = [&](const QByteArray& s) { out.append(s); };
    splitter.feed(".3287,E,0.0,312.3,260711,0.6,E,A*1a\r\n$GPTXT,a\r", sink);
    splitter.feed("\n$GPTXT,b\n\r\r\n$GPGGA,030130$GPGLL,2638.1728,N*41\r\n", sink);
    splitter.feed("$GPTXT,", sink);
    splitter.feed("split\r\n", sink);
    splitter.feed("$" + QByteArray(100, 'x') + "\r\n$GPTXT,after\n", sink);
    splitter.feed("!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*26\n", sink);
    EXPECT_EQ(out, (QList<QByteArray>{"$GPTXT,a", "$GPTXT,b", "$GPGLL,2638.1728,N*41", "$GPTXT,split",
                                      "$GPTXT,after", "!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*26"}));
    EXPECT_EQ(splitter.droppedOverlong(), 1);
}

struct SplitCase {
    const char* name;
    bool strict;
    std::vector<QByteArray> chunks; // a reset() between any two
    QList<QByteArray> sentences;
    qint64 droppedOverlong;
};

class NmeaLineSplitterCases : public testing::TestWithParam<SplitCase> {};

TEST_P(NmeaLineSplitterCases, TenCharactersAtMost)
{
    const SplitCase& c = GetParam();
    NmeaLineSplitter splitter(10);
    splitter.setStartOnlyAtLineStart(c.strict);
    QList<QByteArray> out;
    auto sink = [&](const QByteArray& s) { out.append(s); };
    for (size_t i = 0; i < c.chunks.size(); ++i) {
        if (i > 0) splitter.reset();
        splitter.feed(c.chunks[i], sink);
    }
    EXPECT_EQ(out, c.sentences) << c.name;
    EXPECT_EQ(splitter.droppedOverlong(), c.droppedOverlong) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Streams, NmeaLineSplitterCases, testing::Values(
    SplitCase{"LongestThatFits", false, {"$GPTXT,abc\r\n"}, {"$GPTXT,abc"}, 0},
    SplitCase{"OneTooLong", false, {"$GPTXT,abcd\r\n$GPTXT,e\n"}, {"$GPTXT,e"}, 1},
    // Bytes outside a sentence are no sentence, however many.
    SplitCase{"LongNoiseBeforeTheStart", false, {"0123456789abcdefghij\r\n$GPTXT\n"}, {"$GPTXT"}, 0},
    SplitCase{"ResetDropsThePart", false, {"$GPTXT,cut", "noise\r\n$GPTXT,ok\n"}, {"$GPTXT,ok"}, 0},
    SplitCase{"ResetStartsALine", true, {"$GPTXT,cut", "$GPTXT,ok\n"}, {"$GPTXT,ok"}, 0},
    SplitCase{"StrictStartInsideALine", true, {"x$GPTXT,a\n$GPTXT,b\n"}, {"$GPTXT,b"}, 0}),
    [](const testing::TestParamInfo<SplitCase>& p) { return std::string(p.param.name); });

} // namespace
