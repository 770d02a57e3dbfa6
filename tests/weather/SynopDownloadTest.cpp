#include "LighttpdServer.h"
#include "ScriptedHttpServer.h"
#include "SynopTestSupport.h"

#include "core/IniFile.h"
#include "weather/DialupConnection.h"
#include "weather/SynopConversion.h"
#include "weather/SynopDownload.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QProcess>
#include <QTcpServer>
#include <QTimer>

using namespace kesmar;
using namespace kesmar::test;
using Outcome = SynopDownloadEntry::Outcome;

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test_synop_download";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

QByteArray pattern(int size, char seed = 'a')
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + (i * 7 + i / 251) % 26);
    return bytes;
}

class SynopDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setTimeZone("UTC");
        ensureApplication();
        QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    }
    // 14:30 UTC on 17 January 2023: hour 0 is 14:00 on the 14th, hour 72 14:00 on the 17th.
    static SynopTimeWindow window() { return SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30); }
    static QString hourName(int i)
    {
        const std::tm f = SynopTimeWindow::localFields(window().hourTime(i));
        return SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour);
    }
    QString localPath(const QString& name) const { return dir.filePath(QStringLiteral("SYNOP/") + name); }
    void writeLocal(const QString& name, const QByteArray& bytes) const
    {
        QFile file(localPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readLocal(const QString& name) const
    {
        QFile file(localPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
    }
    std::unique_ptr<SynopDownload> makeDownload(const QString& baseUrl, int stallMs = 3000)
    {
        SynopDownloadSettings settings;
        settings.synopBaseUrl = baseUrl;
        auto download = std::make_unique<SynopDownload>(dir.path(), settings);
        download->setProxy(QNetworkProxy::NoProxy);
        download->setStallTimeout(stallMs);
        return download;
    }
    // Runs to the end; `during` is called on every progress report.
    static void run(SynopDownload& download, const std::function<void()>& during = {})
    {
        QEventLoop loop;
        QObject::connect(&download, &SynopDownload::finished, &loop, &QEventLoop::quit);
        if (during)
            QObject::connect(&download, &SynopDownload::progressChanged, &loop, during);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        download.start(window());
        if (download.isRunning())
            loop.exec();
        ASSERT_FALSE(download.isRunning()) << "the download did not end";
    }
    static const SynopDownloadEntry* entry(const SynopDownload& download, const QString& name)
    {
        for (const SynopDownloadEntry& e : download.entries())
            if (e.name == name)
                return &e;
        return nullptr;
    }

    QTemporaryDir dir;
};

TEST_F(SynopDownloadTest, StaticServerListsDifferingHoursAndFetchesNewestFirstResumingShortCopies)
{
    LighttpdServer server;
    ASSERT_TRUE(server.running()) << server.errorLog().toStdString();
    const QByteArray hour70 = pattern(12000);
    server.putFile(hourName(3), pattern(5000, 'b'));
    server.putFile(hourName(70), hour70);
    server.putFile(hourName(72), pattern(1000, 'c'));
    writeLocal(hourName(3), pattern(5000, 'b'));      // same size: not listed
    writeLocal(hourName(70), hour70.left(10000));     // resumed from 10 000

    auto download = makeDownload(server.baseUrl());
    std::vector<QString> tested, started;
    int64_t firstRunBytesOfHour70 = -1;
    QObject::connect(download.get(), &SynopDownload::hourChecked,
                     [&](int, const QString& line) { tested.push_back(line); });
    QObject::connect(download.get(), &SynopDownload::fileStarted,
                     [&](const QString& line) { started.push_back(line); });
    run(*download, [&] {
        if (firstRunBytesOfHour70 < 0 && download->progress().fileLine.contains(QLatin1String("12000")))
            firstRunBytesOfHour70 = download->progress().runBytes - 1000;
    });

    ASSERT_EQ(download->state(), SynopDownload::State::Finished);
    ASSERT_EQ(tested.size(), 73u);
    EXPECT_EQ(tested.front(), "Internet test: Synop-Data 14.1.2023 14:00");
    EXPECT_EQ(tested.back(), "Internet test: Synop-Data 17.1.2023 14:00");
    ASSERT_EQ(download->entries().size(), 2u);
    EXPECT_EQ(download->entries()[0].name, hourName(70));
    EXPECT_EQ(download->entries()[0].statusText, "Internet load: 12000 Byte Synop-Data 17.1.2023 12:00");
    EXPECT_EQ(download->entries()[0].localSize, 10000);
    EXPECT_EQ(started, (std::vector<QString>{"Internet load: 1000 Byte Synop-Data 17.1.2023 14:00",
                                             "Internet load: 12000 Byte Synop-Data 17.1.2023 12:00"}));
    EXPECT_EQ(download->entries()[0].bytesReceived, 2000);
    EXPECT_EQ(firstRunBytesOfHour70, 10000) << "the local part counts as received";
    EXPECT_EQ(readLocal(hourName(70)), hour70);
    EXPECT_EQ(readLocal(hourName(72)), pattern(1000, 'c'));
    EXPECT_EQ(download->progress().totalBytes, 13000);
    EXPECT_EQ(download->progress().runBytes, 13000);
    EXPECT_EQ(download->progress().totalPercent, 100);
    EXPECT_TRUE(download->allComplete());
    EXPECT_FALSE(QFileInfo::exists(localPath(hourName(72)) + ".part"));
}

TEST_F(SynopDownloadTest, NothingNewEndsRightAfterTheCheck)
{
    LighttpdServer server;
    ASSERT_TRUE(server.running());
    server.putFile(hourName(10), pattern(300));
    writeLocal(hourName(10), pattern(300));
    auto download = makeDownload(server.baseUrl());
    int filesStarted = 0;
    QObject::connect(download.get(), &SynopDownload::fileStarted, [&] { ++filesStarted; });
    run(*download);
    EXPECT_EQ(download->state(), SynopDownload::State::NothingNew);
    EXPECT_TRUE(download->entries().empty());
    EXPECT_EQ(filesStarted, 0);
}

TEST_F(SynopDownloadTest, UnreachableServerStopsTheCheck)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    auto download = makeDownload(QStringLiteral("http://127.0.0.1:%1/syn").arg(port));
    int hours = 0;
    QObject::connect(download.get(), &SynopDownload::hourChecked, [&] { ++hours; });
    run(*download);
    EXPECT_EQ(download->state(), SynopDownload::State::CheckFailed);
    EXPECT_FALSE(download->checkError().isEmpty());
    EXPECT_EQ(hours, 1);
}

// One hostile answer per row: what ends up on disk and how it is reported.
struct HostileCase {
    const char* what;
    int localSize;         // local prefix of the server file, or another file when longer
    ScriptedFile file;     // body filled in from serverSize
    int serverSize;
    int headSize;          // what HEAD announced (-1: the real size)
    Outcome outcome;
    int expectedLocal;     // bytes of the server body the local file must equal afterwards (-1: unchanged)
    QStringList gets;      // the Range header of each GET of the file, in order ("": none)
};

TEST_F(SynopDownloadTest, HostileServersNeverCorruptOrShortenTheLocalFile)
{
    const int kStall = 400;
    const QString resume = QStringLiteral("bytes=10000-");
    const QStringList once = {resume}, whole = {QString()}, resumeThenWhole = {resume, QString()};
    const std::vector<HostileCase> cases = {
        {"range honoured", 10000, {}, 12000, -1, Outcome::Complete, 12000, once},
        {"no Range support: 200 restarts the file", 10000, {.honourRange = false}, 12000, -1, Outcome::Complete, 12000,
         once},
        {"truncated body, nothing local", 0, {.sendOnly = 7000}, 12000, -1, Outcome::Partial, 7000, whole},
        {"truncated resumed body keeps what arrived", 10000, {.sendOnly = 1500}, 12000, -1, Outcome::Partial, 11500,
         once},
        {"no Range support and truncated: old copy kept", 10000, {.honourRange = false, .sendOnly = 6000}, 12000, -1,
         Outcome::Partial, 10000, once},
        {"stall after headers", 10000, {.sendOnly = 0, .stall = true}, 12000, -1, Outcome::Partial, 10000, once},
        {"stall mid-body", 0, {.sendOnly = 3000, .stall = true}, 12000, -1, Outcome::Partial, 3000, whole},
        {"grew after the check", 10000, {}, 15000, 12000, Outcome::Complete, 15000, once},
        {"shrank below the local copy: new file", 10000, {}, 8000, 12000, Outcome::Complete, 8000, resumeThenWhole},
        {"only the last byte missing", 10000, {}, 10001, -1, Outcome::Complete, 10001, once},
        {"range with an open total", 10000, {.contentRange = "bytes 10000-11999/*"}, 12000, -1, Outcome::Complete,
         12000, once},
        {"range shorter than its body: only the range is kept", 10000, {.contentRange = "bytes 10000-10999/11000"},
         12000, -1, Outcome::Complete, 11000, once},
        // A Content-Range that does not fit or agree: the whole file instead.
        {"range numbers past 2^63", 10000, {.contentRange = "bytes 10000-9223372036854775807/*"}, 12000, -1,
         Outcome::Complete, 12000, resumeThenWhole},
        {"range total below its end", 10000, {.contentRange = "bytes 10000-11999/500"}, 12000, -1, Outcome::Complete,
         12000, resumeThenWhole},
        {"range ends before it starts", 10000, {.contentRange = "bytes 10000-9999/12000"}, 12000, -1, Outcome::Complete,
         12000, resumeThenWhole},
        {"range total equal to its end", 10000, {.contentRange = "bytes 10000-11999/11999"}, 12000, -1,
         Outcome::Complete, 12000, resumeThenWhole},
        {"range from elsewhere", 10000, {.contentRange = "bytes 9999-11999/12000"}, 12000, -1, Outcome::Complete,
         12000, resumeThenWhole},
        {"500 at download: error page never written", 10000, {.getStatus = 500}, 12000, 12000, Outcome::Failed, 10000,
         once},
        {"404 at download, nothing local: no file made", 0, {.getStatus = 404}, 12000, 12000, Outcome::Failed, -1,
         whole},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(localPath({})).removeRecursively();
        QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
        ScriptedHttpServer server;
        const QString name = hourName(40);
        const QByteArray body = pattern(c.serverSize);
        ScriptedFile file = c.file;
        file.body = body;
        file.headLength = c.headSize;
        server.setFile(name, file);
        // A local file longer than the server's is another, older file.
        if (c.localSize > 0)
            writeLocal(name, c.localSize > c.serverSize ? pattern(c.localSize, 'z') : body.left(c.localSize));
        const QByteArray before = readLocal(name);

        auto download = makeDownload(server.baseUrl(), kStall);
        run(*download);
        ASSERT_EQ(download->state(), SynopDownload::State::Finished) << server.requests().join(", ").toStdString();
        const SynopDownloadEntry* e = entry(*download, name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->outcome, c.outcome) << e->error.toStdString();
        EXPECT_EQ(download->allComplete(), c.outcome == Outcome::Complete);
        if (c.expectedLocal >= 0)
            EXPECT_EQ(readLocal(name), body.left(c.expectedLocal));
        else
            EXPECT_EQ(readLocal(name), before);
        EXPECT_FALSE(QFileInfo::exists(localPath(name) + ".part"));
        QStringList gets;
        for (const QString& request : server.requests())
            if (request.startsWith(QStringLiteral("GET ") + name))
                gets << request.mid(5 + name.size());
        EXPECT_EQ(gets.join(QLatin1Char('|')).toStdString(), c.gets.join(QLatin1Char('|')).toStdString());
        EXPECT_LE(download->progress().filePercent, 100);
        EXPECT_LE(download->progress().totalPercent, 100);
    }
}

TEST_F(SynopDownloadTest, HoursWithoutAFileOnTheServerAreNotListed)
{
    ScriptedHttpServer server;
    server.setFile(hourName(5), ScriptedFile{.body = pattern(100), .status = 500});
    server.setFile(hourName(6), ScriptedFile{.body = {}});
    server.setFile(hourName(7), ScriptedFile{.body = pattern(100), .status = 403});
    // hour 8 and all others: 404 with an error page
    auto download = makeDownload(server.baseUrl());
    run(*download);
    EXPECT_EQ(download->state(), SynopDownload::State::NothingNew);
    EXPECT_TRUE(download->entries().empty());
    EXPECT_EQ(server.requests().size(), 73);
    EXPECT_TRUE(QDir(localPath({})).entryList(QDir::Files).isEmpty());
}

TEST_F(SynopDownloadTest, ServerRefusingHeadIsAskedWithGet)
{
    ScriptedHttpServer server;
    const QByteArray body = pattern(4000);
    server.setFile(hourName(72), ScriptedFile{.body = body, .headStatus = 405});
    server.setFile(hourName(71), ScriptedFile{.body = body, .headStatus = 501});
    auto download = makeDownload(server.baseUrl());
    run(*download);
    EXPECT_EQ(download->state(), SynopDownload::State::Finished);
    ASSERT_EQ(download->entries().size(), 2u);
    EXPECT_TRUE(download->allComplete());
    EXPECT_EQ(readLocal(hourName(72)), body);
    EXPECT_EQ(readLocal(hourName(71)), body);
}

TEST_F(SynopDownloadTest, CancelWhileLoadingKeepsThePartAndFetchesNoMore)
{
    ScriptedHttpServer server;
    const QByteArray body = pattern(50000);
    server.setFile(hourName(72), ScriptedFile{.body = body, .sendOnly = 20000, .stall = true});
    server.setFile(hourName(71), ScriptedFile{.body = pattern(500)});
    auto download = makeDownload(server.baseUrl(), 10000);
    SynopDownload* d = download.get();
    run(*download, [d] {
        if (d->progress().fileBytes >= 20000)
            d->cancel();
    });
    EXPECT_EQ(download->state(), SynopDownload::State::Cancelled);
    ASSERT_EQ(download->entries().size(), 2u);
    EXPECT_EQ(download->entries()[1].outcome, Outcome::Partial);
    EXPECT_EQ(download->entries()[0].outcome, Outcome::Pending);
    EXPECT_EQ(readLocal(hourName(72)), body.left(20000));
    EXPECT_EQ(readLocal(hourName(71)), "<absent>");
    EXPECT_FALSE(server.requests().contains("GET " + hourName(71)));
    EXPECT_FALSE(download->allComplete());
}

TEST_F(SynopDownloadTest, TruncatedFileIsResumedByTheNextRun)
{
    ScriptedHttpServer server;
    const QByteArray body = pattern(12000);
    server.setFile(hourName(72), ScriptedFile{.body = body, .sendOnly = 7000});
    auto first = makeDownload(server.baseUrl());
    run(*first);
    ASSERT_EQ(first->entries().size(), 1u);
    EXPECT_EQ(first->entries()[0].outcome, Outcome::Partial);
    server.setFile(hourName(72), ScriptedFile{.body = body});
    auto second = makeDownload(server.baseUrl());
    run(*second);
    ASSERT_EQ(second->entries().size(), 1u);
    EXPECT_EQ(second->entries()[0].localSize, 7000);
    EXPECT_EQ(second->entries()[0].bytesReceived, 5000);
    EXPECT_EQ(second->entries()[0].outcome, Outcome::Complete);
    EXPECT_EQ(readLocal(hourName(72)), body);
    EXPECT_TRUE(server.requests().contains("GET " + hourName(72) + " bytes=7000-"));
}

TEST(SynopDownloadSettingsTest, AddressesAndCommandsFromTheSettingsFile)
{
    const IniFile ini = IniFile::fromBytes("[URL]\r\nsyn=http://wx.example/syn/\r\nboy=http://wx.example/boy\r\n"
                                           "[synop-server]\r\ndialup=Mobil\r\n"
                                           "dialcommand=nmcli connection up id %s\r\n");
    const SynopDownloadSettings s = SynopDownloadSettings::read(ini);
    EXPECT_EQ(s.remoteUrl("2023011712_syn.wmo").toString(), "http://wx.example/syn/2023011712_syn.wmo");
    EXPECT_EQ(s.remoteUrl("2023011712_boy.wmo").toString(), "http://wx.example/boy/2023011712_boy.wmo");
    EXPECT_EQ(s.serverAddress(), "wx.example");
    EXPECT_EQ(s.commandArguments(s.dialCommand),
              (QStringList{"nmcli", "connection", "up", "id", "Mobil"}));
    EXPECT_TRUE(s.commandArguments(s.hangUpCommand).isEmpty());
    const SynopDownloadSettings defaults = SynopDownloadSettings::read(IniFile());
    EXPECT_EQ(defaults.remoteUrl("2023011712_syn.wmo").toString(), "syn/2023011712_syn.wmo");
    EXPECT_EQ(defaults.dialupEntry, "synop-server");
}

// Dialling only when offline, hanging up only what was dialled here.
struct DialCase {
    const char* what;
    bool onlineBefore;
    const char* dialCommand;   // %D: the test folder
    bool expectReady;
    bool expectDialled;
    bool expectHungUp;
};

TEST_F(SynopDownloadTest, DialAndHangUpFollowTheConnectionState)
{
    const std::vector<DialCase> cases = {
        {"offline: dial, then hang up", false, "touch %D/dialled", true, true, true},
        {"online before: neither", true, "touch %D/dialled", true, false, false},
        {"dial command fails", false, "false", false, false, false},
        {"dial command missing", false, "/nonexistent/dial", false, false, false},
        {"offline without a dial command: just try", false, "", true, false, false},
    };
    for (const DialCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir marks;
        SynopDownloadSettings settings;
        settings.dialCommand = QString::fromLatin1(c.dialCommand).replace(QLatin1String("%D"), marks.path());
        settings.hangUpCommand = QStringLiteral("touch %1/hungup").arg(marks.path());
        DialupConnection connection(settings);
        bool online = c.onlineBefore;
        connection.setProbe([&online] { return online; });
        std::optional<bool> ready;
        QObject::connect(&connection, &DialupConnection::ready, [&ready](bool ok) { ready = ok; });
        connection.connectIfNeeded();
        QElapsedTimer timer;
        timer.start();
        while (!ready && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_TRUE(ready.has_value());
        EXPECT_EQ(*ready, c.expectReady);
        EXPECT_EQ(connection.dialled(), c.expectDialled);
        EXPECT_EQ(QFileInfo::exists(marks.filePath("dialled")), c.expectDialled);
        // A failed dial says why; the download dialog shows it.
        EXPECT_EQ(connection.lastError().isEmpty(), c.expectReady) << connection.lastError().toStdString();
        if (c.expectDialled) {
            // The next download while the dialled line is up: no new dial, and
            // the line is still ours to hang up.
            online = true;
            ready.reset();
            connection.connectIfNeeded();
            EXPECT_EQ(ready, std::optional<bool>(true));
        }
        connection.hangUpIfDialled();
        const QString hungUp = marks.filePath("hungup");
        while (c.expectHungUp && !QFileInfo::exists(hungUp) && timer.elapsed() < 5000)
            QThread::msleep(20);
        EXPECT_EQ(QFileInfo::exists(hungUp), c.expectHungUp);
        EXPECT_FALSE(connection.dialled());
    }
}

} // namespace

namespace {

class SynopDownloadToolTest : public SynopDownloadTest {
protected:
    // Runs the tool in the program folder, serving the event loop meanwhile
    // (the scripted server lives on it).
    int runTool(const QString& baseUrl, QString& output)
    {
        QFile ini(dir.filePath(QStringLiteral("KMR.INI")));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[URL]\r\nsyn=" + baseUrl.toUtf8() + "\r\n");
        ini.close();
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral(KESMAR_SYNOP_TOOL),
                   {QStringLiteral("download"), QStringLiteral("--now"), QStringLiteral("2023-01-17 14:30")});
        EXPECT_TRUE(tool.waitForStarted(5000));
        QElapsedTimer timer;
        timer.start();
        while (tool.state() != QProcess::NotRunning && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        output = QString::fromLocal8Bit(tool.readAllStandardOutput());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
};

TEST_F(SynopDownloadToolTest, OneLinePerFileAndSuccessOnlyWhenAllArrivedWhole)
{
    ScriptedHttpServer server;
    server.setFile(hourName(72), ScriptedFile{.body = pattern(3000)});
    server.setFile(hourName(71), ScriptedFile{.body = pattern(12000), .sendOnly = 4000});
    QString output;
    EXPECT_EQ(runTool(server.baseUrl(), output), 1);
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << output.toStdString();
    EXPECT_TRUE(lines[0].startsWith(hourName(72) + "       3000 bytes complete")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(hourName(71) + "       4000 bytes partial")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("files: 2 listed, 1 complete, 1 not; bytes received: 7000"))
        << lines[2].toStdString();

    // The next run resumes the partial file and succeeds.
    server.setFile(hourName(71), ScriptedFile{.body = pattern(12000)});
    EXPECT_EQ(runTool(server.baseUrl(), output), 0) << output.toStdString();
    EXPECT_TRUE(output.startsWith(hourName(71) + "       8000 bytes complete")) << output.toStdString();
    EXPECT_EQ(readLocal(hourName(71)), pattern(12000));

    // Nothing new: nothing listed, success.
    EXPECT_EQ(runTool(server.baseUrl(), output), 0);
    EXPECT_TRUE(output.startsWith("files: 0 listed")) << output.toStdString();
}

TEST_F(SynopDownloadToolTest, AnAddressThatIsNoHttpUrlFails)
{
    QString output;
    EXPECT_EQ(runTool(QStringLiteral("syn"), output), 1);
    EXPECT_TRUE(output.isEmpty());
}

} // namespace
