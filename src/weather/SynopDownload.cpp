#include "weather/SynopDownload.h"

#include "core/FileUtil.h"
#include "weather/DownloadTarget.h"
#include "weather/HourlyFileTransfer.h"
#include "weather/SynopConversion.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>
#include <algorithm>

namespace kesmar {

namespace {

int percent(int64_t part, int64_t whole)
{
    if (whole <= 0)
        return 0;
    return static_cast<int>(std::clamp<int64_t>(part * 100 / whole, 0, 100));
}

} // namespace

SynopDownload::SynopDownload(QString programFolder, SynopDownloadSettings settings, QObject* parent)
    : QObject(parent)
    , programFolder_(std::move(programFolder))
    , settings_(std::move(settings))
    , network_(new QNetworkAccessManager(this))
{
}

SynopDownload::~SynopDownload()
{
    stopChecks();
    delete transfer_;
}

void SynopDownload::setProxy(const QNetworkProxy& proxy)
{
    network_->setProxy(proxy);
}

QString SynopDownload::stateText(State state)
{
    switch (state) {
    case State::Ready: return tr("PRESS OK FOR START");
    case State::Checking: return tr("CHECK FOR NEW DATA");
    case State::Loading: return tr("LOADING");
    default: return {};
    }
}

QString SynopDownload::testText(int day, int month, int year, int hour)
{
    return tr("Internet test: Synop-Data %1.%2.%3 %4:00").arg(day).arg(month).arg(year).arg(hour);
}

QString SynopDownload::statusText(int64_t size, int day, int month, int year, int hour)
{
    return tr("Internet load: %1 Byte Synop-Data %2.%3.%4 %5:00").arg(size).arg(day).arg(month).arg(year).arg(hour);
}

QString SynopDownload::localPath(const QString& name) const
{
    return findFileNoCase(programPath(programFolder_, QStringLiteral("SYNOP")), name);
}

bool SynopDownload::allComplete() const
{
    return std::all_of(entries_.begin(), entries_.end(), [](const SynopDownloadEntry& e) {
        return e.outcome == SynopDownloadEntry::Outcome::Complete;
    });
}

void SynopDownload::start(const SynopTimeWindow& window)
{
    if (isRunning())
        return;
    window_ = window;
    entries_.clear();
    progress_ = {};
    checkError_.clear();
    doneBytes_ = 0;
    cancelled_ = false;
    state_ = State::Checking;
    answers_.assign(SynopTimeWindow::kHours + 1, std::nullopt);
    checkReplies_.assign(SynopTimeWindow::kHours + 1, nullptr);
    nextToAsk_ = 0;
    nextToReport_ = 0;
    // A few questions at a time: the round trips overlap, and a request's
    // time-out only starts when it is really sent.
    for (int i = 0; i < kParallelChecks; ++i)
        askNextHour();
}

QString SynopDownload::hourName(int hour) const
{
    const std::tm f = SynopTimeWindow::localFields(window_.hourTime(hour));
    return SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour);
}

void SynopDownload::askNextHour()
{
    if (state_ != State::Checking || nextToAsk_ > SynopTimeWindow::kHours)
        return;
    askHour(nextToAsk_++, false);
}

// HEAD, or for a server that refuses HEAD a GET given up once its headers are in.
void SynopDownload::askHour(int hour, bool withGet)
{
    QNetworkRequest request = HourlyFileTransfer::makeRequest(settings_.remoteUrl(hourName(hour)), stallTimeoutMs_);
    // The size must be the server's own, not a cache's.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("Cache-Control", "no-cache");
    QNetworkReply* reply = withGet ? network_->get(request) : network_->head(request);
    checkReplies_[static_cast<size_t>(hour)] = reply;
    connect(reply, &QNetworkReply::finished, this, [this, hour, withGet] { hourAnswered(hour, withGet); });
    if (withGet) {
        connect(reply, &QNetworkReply::metaDataChanged, this, [this, hour, reply] {
            if (!reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
                return;
            answers_[static_cast<size_t>(hour)] = answerOf(*reply);
            QTimer::singleShot(0, reply, [reply] {
                if (reply->isRunning())
                    reply->abort();
            });
        });
    }
}

SynopDownload::HourAnswer SynopDownload::answerOf(const QNetworkReply& reply)
{
    HourAnswer answer;
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.reached = status.isValid();
    answer.status = status.toInt();
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    answer.length = length.isValid() ? length.toLongLong() : 0;
    answer.error = reply.errorString();
    return answer;
}

void SynopDownload::hourAnswered(int hour, bool withGet)
{
    QNetworkReply* reply = checkReplies_[static_cast<size_t>(hour)];
    checkReplies_[static_cast<size_t>(hour)] = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    auto& answer = answers_[static_cast<size_t>(hour)];
    if (!withGet || !answer)
        answer = answerOf(*reply);
    if (!withGet && (answer->status == 405 || answer->status == 501)) {
        answer.reset();
        askHour(hour, true);
        return;
    }
    reportAnswers();
    askNextHour();
}

// The answers in the order of the hours, as far as they have come.
void SynopDownload::reportAnswers()
{
    while (state_ == State::Checking && nextToReport_ <= SynopTimeWindow::kHours
           && answers_[static_cast<size_t>(nextToReport_)]) {
        const int hour = nextToReport_++;
        const HourAnswer& answer = *answers_[static_cast<size_t>(hour)];
        const std::tm f = SynopTimeWindow::localFields(window_.hourTime(hour));
        emit hourChecked(hour, testText(f.tm_mday, f.tm_mon + 1, f.tm_year + 1900, f.tm_hour));
        if (!answer.reached) {
            // No answer at all: the connection or the address is at fault, and
            // every further hour would fail the same way.
            checkError_ = answer.error;
            stopChecks();
            finish(State::CheckFailed);
            return;
        }
        // An hour the server does not have (404 and the like) or has nothing
        // for is not listed: an error page's length is not the file's.
        if (answer.status >= 200 && answer.status <= 299 && answer.length > 0)
            listIfDifferent(hour, answer.length);
    }
    if (state_ == State::Checking && nextToReport_ > SynopTimeWindow::kHours)
        startLoading();
}

void SynopDownload::listIfDifferent(int hour, int64_t serverSize)
{
    const std::tm f = SynopTimeWindow::localFields(window_.hourTime(hour));
    SynopDownloadEntry entry;
    entry.year = f.tm_year + 1900;
    entry.month = f.tm_mon + 1;
    entry.day = f.tm_mday;
    entry.hour = f.tm_hour;
    entry.name = SynopConversion::fileName(entry.year, entry.month, entry.day, entry.hour);
    entry.localSize = DownloadTarget::sizeOf(localPath(entry.name));
    if (entry.localSize == serverSize)
        return;
    entry.serverSize = serverSize;
    entry.statusText = statusText(serverSize, entry.day, entry.month, entry.year, entry.hour);
    progress_.totalBytes += serverSize;
    entries_.push_back(std::move(entry));
    progress_.filesListed = entries_.size();
    emit totalChanged(progress_.totalBytes);
}

void SynopDownload::stopChecks()
{
    for (QNetworkReply*& reply : checkReplies_) {
        // Left to end by themselves: a size question is short, and aborting
        // one whose failure is already on its way upsets the reply.
        if (reply) {
            reply->disconnect(this);
            connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
            reply = nullptr;
        }
    }
}

void SynopDownload::startLoading()
{
    if (progress_.totalBytes == 0 || entries_.empty()) {
        finish(State::NothingNew);
        return;
    }
    QDir().mkpath(programPath(programFolder_, QStringLiteral("SYNOP")));
    state_ = State::Loading;
    progress_.filesToFetch = entries_.size();
    progress_.phase = 1;
    nextFile();
}

// The newest hour first: the list runs from the oldest.
void SynopDownload::nextFile()
{
    if (cancelled_) {
        finish(State::Cancelled);
        return;
    }
    if (progress_.filesToFetch == 0) {
        finish(State::Finished);
        return;
    }
    const SynopDownloadEntry& entry = entries_[progress_.filesToFetch - 1];
    transfer_ = new HourlyFileTransfer(*network_, settings_.remoteUrl(entry.name), localPath(entry.name),
                                       entry.serverSize, stallTimeoutMs_);
    connect(transfer_, &HourlyFileTransfer::progressed, this, &SynopDownload::updateProgress);
    connect(transfer_, &HourlyFileTransfer::finished, this, &SynopDownload::fileDone);
    progress_.phase = 2;
    progress_.fileLine = entry.statusText;
    emit fileStarted(entry.statusText);
    transfer_->start();
}

void SynopDownload::fileDone()
{
    HourlyFileTransfer* transfer = transfer_;
    SynopDownloadEntry& entry = entries_[progress_.filesToFetch - 1];
    updateProgress();
    switch (transfer->outcome()) {
    case HourlyFileTransfer::Outcome::Complete: entry.outcome = SynopDownloadEntry::Outcome::Complete; break;
    case HourlyFileTransfer::Outcome::Partial: entry.outcome = SynopDownloadEntry::Outcome::Partial; break;
    case HourlyFileTransfer::Outcome::Failed: entry.outcome = SynopDownloadEntry::Outcome::Failed; break;
    }
    entry.bytesReceived = transfer->bytesReceived();
    entry.finalSize = transfer->localSize();
    entry.error = transfer->error();
    doneBytes_ += transfer->fileBytes();
    transfer_ = nullptr;
    transfer->deleteLater();
    --progress_.filesToFetch;
    progress_.phase = 1;
    progress_.fileBytes = 0;
    progress_.filePercent = 0;
    emit progressChanged();
    // Out of the reply's signal before the next request goes out.
    QTimer::singleShot(0, this, &SynopDownload::nextFile);
}

void SynopDownload::updateProgress()
{
    if (!transfer_)
        return;
    SynopDownloadEntry& entry = entries_[progress_.filesToFetch - 1];
    // The server's file may have changed size since the check.
    if (transfer_->fileSize() != entry.serverSize && transfer_->fileSize() > 0) {
        progress_.totalBytes += transfer_->fileSize() - entry.serverSize;
        entry.serverSize = transfer_->fileSize();
        emit totalChanged(progress_.totalBytes);
    }
    progress_.fileBytes = transfer_->fileBytes();
    progress_.fileSize = transfer_->fileSize();
    progress_.runBytes = doneBytes_ + transfer_->fileBytes();
    progress_.filePercent = percent(progress_.fileBytes, progress_.fileSize);
    progress_.totalPercent = percent(progress_.runBytes, progress_.totalBytes);
    emit progressChanged();
}

void SynopDownload::cancel()
{
    cancelled_ = true;
    if (state_ == State::Checking) {
        stopChecks();
        finish(State::Cancelled);
    } else if (transfer_) {
        transfer_->cancel();
    } else if (state_ == State::Ready) {
        finish(State::Cancelled);
    }
}

void SynopDownload::finish(State state)
{
    state_ = state;
    emit finished();
}

} // namespace kesmar
