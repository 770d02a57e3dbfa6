#pragma once
// A small HTTP/1.1 server on loopback for the answers a static server never
// gives: no Range support, bodies shorter than announced, connections that
// stall, files that change size between HEAD and GET, error pages.
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>

namespace kesmar::test {

struct ScriptedFile {
    QByteArray body;           // what GET delivers (the whole file)
    int status = 200;          // status of HEAD and GET; not 2xx sends an error page
    int getStatus = -1;        // status of GET alone, if not `status`
    int headStatus = -1;       // status of HEAD alone, if not `status`
    int64_t headLength = -1;   // length HEAD announces, if not the body's
    bool honourRange = true;   // false: every GET gets 200 and the whole body
    int64_t sendOnly = -1;     // body bytes sent before the connection ends or stalls
    bool stall = false;        // after sendOnly bytes keep the connection open, silent
    QByteArray contentRange;   // the Content-Range of a 206, if not the true one
};

class ScriptedHttpServer {
public:
    ScriptedHttpServer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                sockets_.append(socket);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }
    ~ScriptedHttpServer()
    {
        for (const QPointer<QTcpSocket>& s : sockets_)
            if (s)
                s->abort();
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/syn").arg(server_.serverPort()); }
    void setFile(const QString& name, ScriptedFile file) { files_.insert(name, std::move(file)); }
    // "HEAD name" / "GET name" / "GET name bytes=N-", in order of arrival.
    const QStringList& requests() const { return requests_; }

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.clear();
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        const QByteArray method = first.value(0);
        const QString name = QString::fromLatin1(first.value(1).mid(first.value(1).lastIndexOf('/') + 1));
        QByteArray range;
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("range:"))
                range = line.mid(6).trimmed();
        requests_.append(method + ' ' + name + (range.isEmpty() ? QString() : QStringLiteral(" ") + range));
        respond(socket, method == "HEAD", files_.value(name, ScriptedFile{{}, 404}), range);
    }

    static QByteArray header(int status, int64_t length, const QByteArray& extra)
    {
        return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: text/plain\r\nContent-Length: "
            + QByteArray::number(static_cast<qlonglong>(length)) + "\r\n" + extra + "Connection: close\r\n\r\n";
    }

    void respond(QTcpSocket* socket, bool head, const ScriptedFile& file, const QByteArray& range)
    {
        QByteArray body = file.body;
        int status = !head && file.getStatus >= 0 ? file.getStatus : file.status;
        if (head && file.headStatus >= 0)
            status = file.headStatus;
        QByteArray extra;
        if (status < 200 || status > 299) {
            body = "<html><body>" + QByteArray::number(status) + " error page</body></html>";
        } else if (!head && file.honourRange && range.startsWith("bytes=")) {
            const int64_t from = range.mid(6, range.indexOf('-') - 6).toLongLong();
            const int64_t size = file.body.size();
            if (from >= size) {
                status = 416;
                extra = "Content-Range: bytes */" + QByteArray::number(static_cast<qlonglong>(size)) + "\r\n";
                body.clear();
            } else {
                status = 206;
                extra = "Content-Range: bytes " + QByteArray::number(static_cast<qlonglong>(from)) + '-'
                    + QByteArray::number(static_cast<qlonglong>(size - 1)) + '/'
                    + QByteArray::number(static_cast<qlonglong>(size)) + "\r\n";
                body = body.mid(from);
                if (!file.contentRange.isEmpty())
                    extra = "Content-Range: " + file.contentRange + "\r\n";
            }
        }
        const int64_t length = head && file.headLength >= 0 ? file.headLength : body.size();
        socket->write(header(status, length, extra));
        if (!head)
            socket->write(file.sendOnly >= 0 ? body.left(file.sendOnly) : body);
        if (!(file.stall && !head))
            socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QString, ScriptedFile> files_;
    QHash<QTcpSocket*, QByteArray> pending_;
    QList<QPointer<QTcpSocket>> sockets_;
    QStringList requests_;
};

} // namespace kesmar::test
