#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kesmar {

// The plotter's receiving end for NMEA sentences: a Unix datagram socket in
// the user's runtime folder, one datagram = one sentence. Only the same user
// can send: the folder is created with mode 0700 and must be owned by the
// user (datagram sockets carry no peer credentials).
class NmeaSlot : public QObject {
    Q_OBJECT
public:
    // Datagrams are read into a buffer of this size; longer ones are cut.
    static constexpr int kBufferSize = 256;

    explicit NmeaSlot(QObject* parent = nullptr);
    ~NmeaSlot() override;

    // $XDG_RUNTIME_DIR/kesmar/nmea.sock, else /tmp/kesmar-<uid>/nmea.sock.
    static QString defaultPath();
    // Creates the folder (0700, must be ours), replaces a stale socket file
    // of a dead instance, binds. On failure returns false and the system's
    // error text in *errorText. Refuses when a live slot is bound there.
    bool open(const QString& path, QString* errorText);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    QString path() const { return path_; }

signals:
    void datagramReceived(const QByteArray& bytes);
    // A read failed: the system's error text.
    void readError(const QString& errorText);

private:
    void readPending();

    int fd_ = -1;
    QString path_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kesmar
