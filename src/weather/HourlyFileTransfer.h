#pragma once
#include "weather/DownloadTarget.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <cstdint>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace kesmar {

// One hourly file fetched by HTTP GET: resumed with a Range request from the
// local length when the local file is shorter than the server's, else
// received whole. Only a 2xx answer is ever written, never past the length
// the answer announced; a server that ignores the Range request (200) or
// finds it unsatisfiable (416, the file shrank) gets the file from the start.
class HourlyFileTransfer : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Complete, Partial, Failed };

    HourlyFileTransfer(QNetworkAccessManager& network, QUrl url, const QString& localPath, int64_t checkedSize,
                       int stallTimeoutMs, QObject* parent = nullptr);
    ~HourlyFileTransfer() override;

    void start();
    // Stops receiving; what arrived stays for the next run. finished() follows.
    void cancel();

    // Bytes of the file held so far, a resumed local part included.
    int64_t fileBytes() const { return fileBytes_; }
    // The server's size as best known now.
    int64_t fileSize() const { return fileSize_; }
    // Bytes received over the network.
    int64_t bytesReceived() const { return received_; }
    bool isDone() const { return done_; }
    Outcome outcome() const { return outcome_; }
    int64_t localSize() const { return localSize_; }
    const QString& error() const { return error_; }

    // The headers of every request of the download.
    static QNetworkRequest makeRequest(const QUrl& url, int stallTimeoutMs);

signals:
    void progressed();
    void finished();

private:
    void sendRequest(int64_t rangeFrom);
    void headersArrived();
    bool acceptPartialContent();
    void receive();
    void replyFinished();
    void fail(const QString& error);
    void abortLater();

    QNetworkAccessManager& network_;
    QUrl url_;
    DownloadTarget target_;
    QPointer<QNetworkReply> reply_;
    int64_t checkedSize_ = 0;
    int stallTimeoutMs_ = 0;
    int64_t offset_ = 0;       // where the requested range starts
    int64_t expectedEnd_ = -1; // the file's length when whole; -1 unknown
    int64_t fileBytes_ = 0;
    int64_t fileSize_ = 0;
    int64_t received_ = 0;
    int restarts_ = 0;
    int httpStatus_ = 0;
    bool accepted_ = false;    // a 2xx answer whose body goes to the file
    bool restartPending_ = false;
    bool cancelled_ = false;
    bool done_ = false;
    Outcome outcome_ = Outcome::Failed;
    int64_t localSize_ = 0;
    QString error_;
};

} // namespace kesmar
