#pragma once
#include "NmeaSourceAddress.h"
#include "SerialPort.h"
#include "nmea/NmeaLineSplitter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

class QAbstractSocket;
class QSocketNotifier;
class QTcpSocket;
class QUdpSocket;

namespace kesmar {

// Reads NMEA from one source, splits it into sentences and emits each one.
// Connections that fail or drop are retried every reconnect interval; the
// file source ends at its end.
class NmeaReceiver : public QObject {
    Q_OBJECT
public:
    explicit NmeaReceiver(const NmeaSourceAddress& source, QObject* parent = nullptr);
    ~NmeaReceiver() override;

    // Sentences per second for file replay; 0 = as fast as possible.
    void setFileRate(double sentencesPerSecond) { fileRate_ = sentencesPerSecond; }
    void setReconnectMilliseconds(int ms) { reconnectTimer_.setInterval(ms); }
    void start();
    qint64 droppedOverlong() const { return splitter_.droppedOverlong(); }

signals:
    void sentenceReceived(const QByteArray& sentence);
    void status(const QString& message);
    void finished();

private:
    void connectSource();
    void lost(const QString& why);
    void feed(QByteArrayView bytes);
    void readSerial();
    void readUdp();
    void replayDue();
    bool replayOneLine();
    void replayAll();

    NmeaSourceAddress source_;
    NmeaLineSplitter splitter_;
    QTimer reconnectTimer_;
    QTimer replayTimer_;
    double fileRate_ = 10.0;
    QTcpSocket* tcp_ = nullptr;
    QUdpSocket* udp_ = nullptr;
    SerialPort serial_;
    QSocketNotifier* serialNotifier_ = nullptr;
    QFile file_;
    QElapsedTimer replayClock_;
    qint64 replayed_ = 0;
    bool connected_ = false;
};

} // namespace kesmar
