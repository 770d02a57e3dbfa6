// A real peer: gpsd reads a receiver log from a small TCP source of the
// test, kesmar-nmea forwards gpsd's NMEA into a slot, and the vessel state
// of the plotter's input follows the log.
#include "support/QtTestApplication.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaParser.h"
#include "nmea/NmeaSlot.h"
#include "nmea/VesselState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace kesmar;

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

void stopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

struct ReceiverLog {
    QList<QByteArray> lines;
    std::set<std::pair<double, double>> positions; // valid fixes in the log
};

std::optional<ReceiverLog> readLog(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    ReceiverLog log;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        log.lines.append(line);
        const NmeaSentence s = NmeaParser::parse(line);
        if (s.usable() && s.position && s.positionValid && s.kind != NmeaKind::VTG)
            log.positions.insert({s.position->latitudeMinutes, s.position->longitudeMinutes});
    }
    return log;
}

// The GPS receiver: serves the log over TCP, one line every 5 ms, in a loop.
class LogServer {
public:
    explicit LogServer(const QList<QByteArray>& lines) : lines_(lines)
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            client_ = server_.nextPendingConnection();
            feeder_.start(5);
        });
        QObject::connect(&feeder_, &QTimer::timeout, [this] {
            if (client_ && client_->state() == QAbstractSocket::ConnectedState)
                client_->write(lines_[next_++ % lines_.size()]);
        });
    }
    quint16 port() const { return server_.serverPort(); }

private:
    QList<QByteArray> lines_;
    QTcpServer server_;
    QTimer feeder_;
    QTcpSocket* client_ = nullptr;
    qsizetype next_ = 0;
};

TEST(NmeaEndToEnd, GpsdToSlotToVesselState)
{
    kesmar::test::qtTestApplication();
    const QString gpsd = QStandardPaths::findExecutable(QStringLiteral("gpsd"), {"/usr/sbin", "/usr/bin", "/sbin"});
    ASSERT_FALSE(gpsd.isEmpty()) << "gpsd is not installed (scripts/install-deps)";
    const std::optional<ReceiverLog> receiverLog = readLog(QStringLiteral(KESMAR_SHARED_DIR "/nmea/saab-r4.log"));
    ASSERT_TRUE(receiverLog) << "receiver log missing: " KESMAR_SHARED_DIR "/nmea/saab-r4.log";
    ASSERT_GE(receiverLog->positions.size(), 3u);
    LogServer source(receiverLog->lines);

    QTemporaryDir dir;
    VesselState state;
    NmeaLog log;
    NmeaInput input(state, log);
    input.setDisplayInterval(0);
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(dir.filePath("nmea.sock"), &error)) << error.toStdString();
    QObject::connect(&slot, &NmeaSlot::datagramReceived, &input, &NmeaInput::receiveDatagram);
    std::vector<std::pair<double, double>> seen;
    QObject::connect(&input, &NmeaInput::vesselMoved,
                     [&] { seen.push_back({state.latitudeMinutes, state.longitudeMinutes}); });

    const quint16 gpsdPort = freePort();
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    daemon.start(gpsd, {"-N", "-n", "-S", QString::number(gpsdPort),
                        QStringLiteral("tcp://127.0.0.1:%1").arg(source.port())});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    QProcess forwarder;
    forwarder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    forwarder.start(QStringLiteral(KESMAR_NMEA_TOOL),
                    {QStringLiteral("gpsd:127.0.0.1:%1").arg(gpsdPort), "--slot", slot.path()});
    ASSERT_TRUE(forwarder.waitForStarted(5000));

    std::set<std::pair<double, double>> distinct;
    QElapsedTimer clock;
    clock.start();
    while (distinct.size() < 3 && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        distinct.insert(seen.begin(), seen.end());
    }
    stopProcess(forwarder);
    stopProcess(daemon);

    EXPECT_GE(distinct.size(), 3u) << "positions seen: " << seen.size() << ", log: " << log.text().size();
    for (const auto& p : seen)
        EXPECT_TRUE(receiverLog->positions.count(p)) << p.first << " " << p.second;
    EXPECT_GT(log.text().count('\n'), 10);
}

TEST(NmeaEndToEnd, ForwarderReconnectsAfterALostConnection)
{
    kesmar::test::qtTestApplication();
    // A TCP receiver that sends one sentence per connection and hangs up.
    QTcpServer source;
    ASSERT_TRUE(source.listen(QHostAddress::LocalHost, 0));
    int connections = 0;
    QObject::connect(&source, &QTcpServer::newConnection, [&] {
        QTcpSocket* peer = source.nextPendingConnection();
        ++connections;
        peer->write(QStringLiteral("$GPTXT,%1\r\n$GPTXT,cut off without line end").arg(connections).toLatin1());
        peer->flush();
        peer->disconnectFromHost();
    });
    QTemporaryDir dir;
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(dir.filePath("nmea.sock"), &error)) << error.toStdString();
    QList<QByteArray> received;
    QObject::connect(&slot, &NmeaSlot::datagramReceived, [&](const QByteArray& b) { received.append(b); });

    QProcess forwarder;
    forwarder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    forwarder.start(QStringLiteral(KESMAR_NMEA_TOOL),
                    {QStringLiteral("tcp:127.0.0.1:%1").arg(source.serverPort()), "--slot", slot.path()});
    ASSERT_TRUE(forwarder.waitForStarted(5000));
    QElapsedTimer clock;
    clock.start();
    while (received.size() < 2 && clock.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    stopProcess(forwarder);
    EXPECT_EQ(received.mid(0, 2), (QList<QByteArray>{"$GPTXT,1", "$GPTXT,2"}));
}

} // namespace
