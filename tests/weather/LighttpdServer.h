#pragma once
// Debian's lighttpd as a static file server on loopback, run as a child of
// the test with a generated configuration on a free port.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

namespace kesmar::test {

class LighttpdServer {
public:
    LighttpdServer()
    {
        QDir(dir_.path()).mkpath(QStringLiteral("www/syn"));
        for (int attempt = 0; attempt < 5 && !running_; ++attempt)
            running_ = tryStart();
    }
    ~LighttpdServer()
    {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }

    bool running() const { return running_; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/syn").arg(port_); }
    QString documentFolder() const { return dir_.filePath(QStringLiteral("www/syn")); }
    void putFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(QDir(documentFolder()).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QString errorLog() const
    {
        QFile log(dir_.filePath(QStringLiteral("error.log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

private:
    bool tryStart()
    {
        {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0))
                return false;
            port_ = probe.serverPort();
        }
        const QString config = dir_.filePath(QStringLiteral("lighttpd.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QStringLiteral("server.document-root = \"%1\"\n"
                                  "server.port = %2\n"
                                  "server.bind = \"127.0.0.1\"\n"
                                  "server.errorlog = \"%3\"\n"
                                  "mimetype.assign = ( \"\" => \"application/octet-stream\" )\n")
                       .arg(dir_.filePath(QStringLiteral("www")))
                       .arg(port_)
                       .arg(dir_.filePath(QStringLiteral("error.log")))
                       .toUtf8());
        file.close();
        process_.start(QStringLiteral("/usr/sbin/lighttpd"), {QStringLiteral("-D"), QStringLiteral("-f"), config});
        if (!process_.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000 && process_.state() == QProcess::Running) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port_);
            if (socket.waitForConnected(200))
                return true;
            QThread::msleep(20);
        }
        process_.kill();
        process_.waitForFinished(1000);
        return false;
    }

    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    bool running_ = false;
};

} // namespace kesmar::test
