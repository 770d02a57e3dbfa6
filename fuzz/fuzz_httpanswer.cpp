// The download of one hourly file against a server that answers with
// arbitrary bytes: Qt's HTTP reading and the transfer's handling of status,
// lengths, Content-Range and restarts. Whatever comes, the transfer ends, an
// error answer never touches the local file, only a whole new file may be
// shorter than the old one, and a complete file has the length the transfer reports.
// Input: u8 local-file choice, then the answers to the first and to a second
// request, split at the first "\xff\xfeNEXT".
#include "weather/HourlyFileTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <memory>

using namespace kesmar;

namespace {

// Answers request n with answers[min(n, last)], then closes the connection;
// from the fourth request on (a redirect chain) it closes without an answer.
class ScriptedServer {
public:
    ScriptedServer() { server_.listen(QHostAddress::LocalHost, 0); }

    quint16 port() const { return server_.serverPort(); }

    void reset(QList<QByteArray> answers)
    {
        answers_ = std::move(answers);
        served_ = 0;
        QObject::disconnect(&server_, nullptr, nullptr, nullptr);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

private:
    void accept()
    {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto request = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                request->append(socket->readAll());
                if (!request->contains("\r\n\r\n") || answers_.isEmpty())
                    return;
                const qsizetype n = served_++;
                request->clear();
                if (n < 3)
                    socket->write(answers_[std::min<qsizetype>(n, answers_.size() - 1)]);
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer server_;
    QList<QByteArray> answers_;
    qsizetype served_ = 0;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Qt's network thread and the HTTP connection cache live as long as the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Network\nleak:libgssapi\nleak:libproxy\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static ScriptedServer server;
    static QNetworkAccessManager network;
    static QTemporaryDir dir;
    if (server.port() == 0 || !dir.isValid())
        return 0;

    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const qsizetype split = bytes.indexOf("\xff\xfeNEXT");
    server.reset(split < 0 ? QList<QByteArray>{bytes} : QList<QByteArray>{bytes.left(split), bytes.mid(split + 6)});

    // No local file, or a part of 1 to 64 bytes to resume from.
    const QString path = dir.filePath(QStringLiteral("SY071200.SYN"));
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".part"));
    const int localLength = data[0] & 0x3F;
    const QByteArray old(localLength, 'o');
    if (localLength > 0) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(old) != old.size())
            return 0;
    }
    const int64_t checked = (data[0] & 0x40) ? localLength + 100 : localLength / 2;

    network.clearConnectionCache();
    HourlyFileTransfer transfer(network, QUrl(QStringLiteral("http://127.0.0.1:%1/syn/SY071200.SYN").arg(server.port())),
                                path, checked, 2000);
    QEventLoop loop;
    QObject::connect(&transfer, &HourlyFileTransfer::finished, &loop, &QEventLoop::quit);
    // The stall timeout ends any transfer long before this.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    transfer.start();
    if (!transfer.isDone())
        loop.exec();
    if (!transfer.isDone())
        __builtin_trap(); // hangs on this answer

    const QByteArray now = readAll(path);
    if (now.size() < old.size() && transfer.outcome() != HourlyFileTransfer::Outcome::Complete)
        __builtin_trap(); // only a whole new file may be shorter than the old one
    switch (transfer.outcome()) {
    case HourlyFileTransfer::Outcome::Failed:
        if (now != old)
            __builtin_trap(); // an answer that failed wrote into the file
        if (transfer.error().isEmpty())
            __builtin_trap();
        break;
    case HourlyFileTransfer::Outcome::Partial:
        if (transfer.error().isEmpty())
            __builtin_trap(); // a partial file is reported as such
        break;
    case HourlyFileTransfer::Outcome::Complete:
        if (!transfer.error().isEmpty() || transfer.localSize() != now.size() || transfer.fileBytes() != now.size())
            __builtin_trap();
        break;
    }
    if (transfer.localSize() != now.size())
        __builtin_trap();
    return 0;
}
