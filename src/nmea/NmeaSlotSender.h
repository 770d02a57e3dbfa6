#pragma once
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>

namespace kesmar {

// The sending end used by the receiver program: one datagram per sentence
// to the plotter's slot. Never blocks for long: when the plotter's queue is
// full it waits up to the given time, then drops the sentence.
class NmeaSlotSender {
public:
    enum class Result { Sent, Dropped, NoPlotter, Error };

    NmeaSlotSender() = default;
    ~NmeaSlotSender();
    NmeaSlotSender(const NmeaSlotSender&) = delete;
    NmeaSlotSender& operator=(const NmeaSlotSender&) = delete;

    void setPath(const QString& path) { path_ = path; }
    void setWaitMilliseconds(int ms) { waitMs_ = ms; }
    // Sentences longer than this are not sent.
    static constexpr int kMaxDatagram = 128;

    Result send(QByteArrayView sentence, QString* errorText = nullptr);

private:
    bool connectSocket(QString* errorText);
    void closeSocket();

    QString path_;
    int fd_ = -1;
    int waitMs_ = 200;
    // While no plotter listens, connecting is retried at most this often.
    static constexpr int kRetryMilliseconds = 500;
    QElapsedTimer lastFailure_;
};

} // namespace kesmar
