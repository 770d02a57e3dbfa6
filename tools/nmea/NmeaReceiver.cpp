#include "NmeaReceiver.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QUdpSocket>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kesmar {
namespace {

// gpsd answers with JSON reports; raw NMEA follows once the watch asks for it.
constexpr char kGpsdWatch[] = "?WATCH={\"enable\":true,\"nmea\":true}\n";
constexpr int kReadChunk = 65536;

} // namespace

NmeaReceiver::NmeaReceiver(const NmeaSourceAddress& source, QObject* parent)
    : QObject(parent), source_(source), splitter_(128)
{
    reconnectTimer_.setSingleShot(true);
    reconnectTimer_.setInterval(2000);
    connect(&reconnectTimer_, &QTimer::timeout, this, &NmeaReceiver::connectSource);
    connect(&replayTimer_, &QTimer::timeout, this, &NmeaReceiver::replayDue);
}

NmeaReceiver::~NmeaReceiver() = default;

void NmeaReceiver::start()
{
    if (source_.kind == NmeaSourceAddress::Kind::File) {
        file_.setFileName(source_.path);
        if (!file_.open(QIODevice::ReadOnly)) {
            emit status(QStringLiteral("%1: %2").arg(source_.path, file_.errorString()));
            QTimer::singleShot(0, this, &NmeaReceiver::finished);
            return;
        }
        if (fileRate_ <= 0.0) {
            QTimer::singleShot(0, this, &NmeaReceiver::replayAll);
        } else {
            // Fast rates are kept by sending the lines that are due on each
            // tick rather than by a timer shorter than the clock allows.
            replayClock_.start();
            replayTimer_.start(std::clamp(int(1000.0 / fileRate_), 1, 1000));
        }
        return;
    }
    connectSource();
}

void NmeaReceiver::feed(QByteArrayView bytes)
{
    splitter_.feed(bytes, [this](const QByteArray& sentence) { emit sentenceReceived(sentence); });
}

void NmeaReceiver::lost(const QString& why)
{
    if (connected_ || !reconnectTimer_.isActive())
        emit status(QStringLiteral("%1; retrying in %2 ms").arg(why).arg(reconnectTimer_.interval()));
    connected_ = false;
    splitter_.reset();
    if (tcp_) {
        tcp_->disconnect(this);
        tcp_->abort();
        tcp_->deleteLater();
        tcp_ = nullptr;
    }
    delete serialNotifier_;
    serialNotifier_ = nullptr;
    serial_.close();
    reconnectTimer_.start();
}

void NmeaReceiver::connectSource()
{
    switch (source_.kind) {
    case NmeaSourceAddress::Kind::Tcp:
    case NmeaSourceAddress::Kind::Gpsd: {
        tcp_ = new QTcpSocket(this);
        connect(tcp_, &QTcpSocket::connected, this, [this] {
            connected_ = true;
            emit status(QStringLiteral("connected to %1:%2").arg(source_.host).arg(source_.port));
            if (source_.kind == NmeaSourceAddress::Kind::Gpsd)
                tcp_->write(kGpsdWatch);
        });
        connect(tcp_, &QTcpSocket::readyRead, this, [this] { feed(tcp_->readAll()); });
        connect(tcp_, &QTcpSocket::disconnected, this, [this] { lost(QStringLiteral("connection closed")); });
        connect(tcp_, &QTcpSocket::errorOccurred, this, [this] { lost(tcp_->errorString()); });
        tcp_->connectToHost(source_.host, source_.port);
        break;
    }
    case NmeaSourceAddress::Kind::Udp:
        udp_ = new QUdpSocket(this);
        if (!udp_->bind(QHostAddress::Any, source_.port)) {
            emit status(udp_->errorString());
            QTimer::singleShot(0, this, &NmeaReceiver::finished);
            return;
        }
        connect(udp_, &QUdpSocket::readyRead, this, &NmeaReceiver::readUdp);
        break;
    case NmeaSourceAddress::Kind::Serial: {
        QString error;
        if (!serial_.open(source_.path, source_.baud, &error)) {
            lost(QStringLiteral("%1: %2").arg(source_.path, error));
            return;
        }
        connected_ = true;
        serialNotifier_ = new QSocketNotifier(serial_.fd(), QSocketNotifier::Read, this);
        connect(serialNotifier_, &QSocketNotifier::activated, this, &NmeaReceiver::readSerial);
        break;
    }
    case NmeaSourceAddress::Kind::File:
        break;
    }
}

void NmeaReceiver::readSerial()
{
    char buffer[4096];
    const ssize_t n = ::read(serial_.fd(), buffer, sizeof buffer);
    if (n > 0)
        feed(QByteArrayView(buffer, n));
    else if (n == 0 || (errno != EAGAIN && errno != EINTR))
        lost(n == 0 ? QStringLiteral("device closed") : QString::fromLocal8Bit(std::strerror(errno)));
}

void NmeaReceiver::readUdp()
{
    while (udp_->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = udp_->receiveDatagram(kReadChunk);
        feed(datagram.data());
        // A datagram ends its last sentence even without a line end.
        feed("\n");
    }
}

void NmeaReceiver::replayDue()
{
    const qint64 due = qint64(double(replayClock_.elapsed()) * fileRate_ / 1000.0) + 1;
    for (int burst = 0; replayed_ < due && burst < 10000; ++burst) {
        if (!replayOneLine()) {
            replayTimer_.stop();
            emit finished();
            return;
        }
        ++replayed_;
    }
}

bool NmeaReceiver::replayOneLine()
{
    // Comment and empty lines do not take a turn.
    while (!file_.atEnd()) {
        const QByteArray line = file_.readLine();
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue;
        feed(line);
        if (!line.endsWith('\n'))
            feed("\n");
        return true;
    }
    return false;
}

void NmeaReceiver::replayAll()
{
    while (!file_.atEnd()) {
        const QByteArray line = file_.readLine();
        if (line.startsWith('#'))
            continue;
        feed(line);
        if (!line.endsWith('\n'))
            feed("\n");
    }
    emit finished();
}

} // namespace kesmar
