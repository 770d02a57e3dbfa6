#include "weather/HourlyFileTransfer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

namespace kesmar {

HourlyFileTransfer::HourlyFileTransfer(QNetworkAccessManager& network, QUrl url, const QString& localPath,
                                       int64_t checkedSize, int stallTimeoutMs, QObject* parent)
    : QObject(parent)
    , network_(network)
    , url_(std::move(url))
    , target_(localPath)
    , checkedSize_(checkedSize)
    , stallTimeoutMs_(stallTimeoutMs)
    , fileSize_(checkedSize)
{
}

HourlyFileTransfer::~HourlyFileTransfer()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

QNetworkRequest HourlyFileTransfer::makeRequest(const QUrl& url, int stallTimeoutMs)
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/*");
    request.setRawHeader("User-Agent", "GET HTTP");
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A connection on which nothing arrives for this long is given up.
    request.setTransferTimeout(stallTimeoutMs);
    return request;
}

void HourlyFileTransfer::start()
{
    const int64_t local = DownloadTarget::sizeOf(target_.path());
    sendRequest(local > 0 && local < checkedSize_ ? local : 0);
}

void HourlyFileTransfer::sendRequest(int64_t rangeFrom)
{
    offset_ = rangeFrom;
    fileBytes_ = rangeFrom; // a resumed part counts as received
    accepted_ = false;
    expectedEnd_ = -1;
    httpStatus_ = 0;
    QNetworkRequest request = makeRequest(url_, stallTimeoutMs_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (rangeFrom > 0)
        request.setRawHeader("Range", "bytes=" + QByteArray::number(static_cast<qlonglong>(rangeFrom)) + '-');
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &HourlyFileTransfer::headersArrived);
    connect(reply_, &QNetworkReply::readyRead, this, &HourlyFileTransfer::receive);
    connect(reply_, &QNetworkReply::finished, this, &HourlyFileTransfer::replyFinished);
    emit progressed();
}

void HourlyFileTransfer::headersArrived()
{
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() || accepted_ || httpStatus_ != 0)
        return;
    httpStatus_ = status.toInt();
    // The short bodies of these answers are read and dropped.
    if (httpStatus_ == 416 && offset_ > 0 && restarts_ == 0) {
        // The file got shorter since the check: it is a new one.
        restartPending_ = true;
        return;
    }
    if (httpStatus_ < 200 || httpStatus_ > 299) {
        // An error page is never written into a bulletin file.
        fail(QStringLiteral("HTTP %1 %2")
                 .arg(httpStatus_)
                 .arg(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        return;
    }
    if (httpStatus_ == 206 && offset_ > 0) {
        if (!acceptPartialContent())
            return;
    } else {
        // Also a 200 to a Range request: the whole file comes, so it starts anew.
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        expectedEnd_ = length.isValid() ? length.toLongLong() : -1;
        fileBytes_ = 0;
        if (const Status s = target_.beginRestart(); !s.ok()) {
            fail(s.error().describe());
            abortLater();
            return;
        }
    }
    fileSize_ = expectedEnd_ >= 0 ? expectedEnd_ : std::max(checkedSize_, fileBytes_);
    accepted_ = true;
    emit progressed();
}

// "Content-Range: bytes FIRST-LAST/TOTAL" must start where the local file ends.
bool HourlyFileTransfer::acceptPartialContent()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*bytes\\s+(\\d+)-(\\d+)/(\\d+|\\*)\\s*$"));
    const QRegularExpressionMatch m = pattern.match(QString::fromLatin1(reply_->rawHeader("Content-Range")));
    // The numbers must fit and agree; no weather file comes near 2^48 bytes.
    constexpr qlonglong kLargest = qlonglong(1) << 48;
    bool firstOk = false;
    bool lastOk = false;
    bool totalOk = true;
    const qlonglong first = m.captured(1).toLongLong(&firstOk);
    const qlonglong last = m.captured(2).toLongLong(&lastOk);
    const bool openTotal = m.captured(3) == QLatin1String("*");
    const qlonglong total = openTotal ? -1 : m.captured(3).toLongLong(&totalOk);
    const bool sound = m.hasMatch() && firstOk && lastOk && totalOk && first <= last && last < kLargest
        && (openTotal || (last < total && total <= kLargest));
    if (!sound || first != offset_) {
        // Not the part asked for: fetch the whole file instead.
        restartPending_ = true;
        abortLater();
        return false;
    }
    expectedEnd_ = openTotal ? last + 1 : total;
    if (const Status s = target_.beginAppend(offset_); !s.ok()) {
        fail(s.error().describe());
        abortLater();
        return false;
    }
    return true;
}

void HourlyFileTransfer::receive()
{
    if (!reply_ || !reply_->isOpen())
        return;
    const QByteArray data = reply_->readAll();
    if (!accepted_ || data.isEmpty())
        return;
    int64_t count = data.size();
    // Never past the length the answer announced.
    if (expectedEnd_ >= 0)
        count = std::clamp<int64_t>(expectedEnd_ - fileBytes_, 0, count);
    if (count == 0)
        return;
    if (const Status s = target_.write(data.constData(), count); !s.ok()) {
        fail(s.error().describe());
        reply_->abort();
        return;
    }
    fileBytes_ += count;
    received_ += count;
    emit progressed();
}

// Aborting inside the reply's own header signal upsets its error handling.
void HourlyFileTransfer::abortLater()
{
    QTimer::singleShot(0, this, [this, reply = reply_.data()] {
        if (reply_ == reply && reply && reply->isRunning())
            reply->abort();
    });
}

void HourlyFileTransfer::fail(const QString& error)
{
    if (error_.isEmpty())
        error_ = error;
}

void HourlyFileTransfer::replyFinished()
{
    QNetworkReply* reply = reply_;
    if (!reply)
        return;
    receive();
    reply->disconnect(this);
    reply->deleteLater();
    reply_ = nullptr;
    if (restartPending_ && !cancelled_) {
        restartPending_ = false;
        ++restarts_;
        sendRequest(0);
        return;
    }
    const bool networkError = reply->error() != QNetworkReply::NoError;
    const bool complete = accepted_ && error_.isEmpty() && !networkError
        && (expectedEnd_ < 0 || fileBytes_ == expectedEnd_);
    if (!complete && error_.isEmpty()) {
        if (cancelled_)
            error_ = tr("cancelled");
        else if (reply->error() == QNetworkReply::OperationCanceledError)
            error_ = tr("no data for %1 s").arg(stallTimeoutMs_ / 1000.0);
        else if (networkError)
            error_ = reply->errorString();
        else
            error_ = tr("incomplete: %1 of %2 bytes").arg(fileBytes_).arg(expectedEnd_);
    }
    const Result<int64_t> kept = target_.finish(complete);
    localSize_ = kept.ok() ? kept.value() : DownloadTarget::sizeOf(target_.path());
    if (!kept.ok() && error_.isEmpty())
        error_ = kept.error().describe();
    const bool httpError = httpStatus_ != 0 && (httpStatus_ < 200 || httpStatus_ > 299);
    if (complete && kept.ok())
        outcome_ = Outcome::Complete;
    else if (!httpError && (httpStatus_ != 0 || localSize_ > 0))
        outcome_ = Outcome::Partial;
    else
        outcome_ = Outcome::Failed;
    done_ = true;
    emit finished();
}

void HourlyFileTransfer::cancel()
{
    cancelled_ = true;
    if (reply_)
        reply_->abort();
}

} // namespace kesmar
