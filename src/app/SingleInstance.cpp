#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace kesmar {

namespace {

constexpr int kConnectAttempts = 10;
constexpr int kAttemptMilliseconds = 100;
const QByteArray kRaiseMessage = "raise\n";

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::runtimeFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir(xdg).exists())
        return xdg;
    // Creates /tmp/runtime-<user> with mode 0700 when needed.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::tryBecomePrimary()
{
    const QDir folder(runtimeFolder());
    lock_ = std::make_unique<QLockFile>(folder.filePath(name_ + ".lock"));
    // The lock lives as long as the program: age alone must never make it stale;
    // a lock of a crashed process is recognised by its dead process id.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock()) {
        if (lock_->error() == QLockFile::LockFailedError) {
            notifyPrimary();
            return false;
        }
        // The runtime folder is unusable: run without the single-instance rule
        // rather than not at all.
        return true;
    }
    const QString socketPath = folder.filePath(name_ + ".socket");
    QLocalServer::removeServer(socketPath); // left over by a crashed instance
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith(kRaiseMessage.trimmed()))
                    emit raiseRequested();
            });
        }
    });
    server_->listen(socketPath);
    return true;
}

bool SingleInstance::notifyPrimary()
{
    const QString socketPath = QDir(runtimeFolder()).filePath(name_ + ".socket");
    // The first instance may still be starting up and not listen yet.
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(kAttemptMilliseconds)) {
            socket.write(kRaiseMessage);
            socket.waitForBytesWritten(kAttemptMilliseconds);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(kAttemptMilliseconds);
    }
    return false;
}

} // namespace kesmar
