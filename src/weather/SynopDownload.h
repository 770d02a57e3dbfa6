#pragma once
#include "weather/SynopDownloadSettings.h"
#include "weather/SynopTimeWindow.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QNetworkAccessManager;
class QNetworkProxy;
class QNetworkReply;

namespace kesmar {

class HourlyFileTransfer;

// One hour whose file on the server differs in size from the local one.
struct SynopDownloadEntry {
    enum class Outcome { Pending, Complete, Partial, Failed };

    QString name;            // YYYYMMDDHH_syn.wmo
    int year = 0, month = 0, day = 0, hour = 0;
    int64_t localSize = 0;   // at check time, 0 when absent
    int64_t serverSize = 0;  // at check time, corrected when the answer says otherwise
    QString statusText;      // "Internet load: %d Byte Synop-Data %d.%d.%d %d:00"
    Outcome outcome = Outcome::Pending;
    int64_t bytesReceived = 0;
    int64_t finalSize = 0;   // local size afterwards
    QString error;
};

// Where a download stands, for a progress display.
struct SynopDownloadProgress {
    int phase = 0;            // 1: start the next file, 2: receive
    size_t filesListed = 0;
    size_t filesToFetch = 0;
    int64_t totalBytes = 0;   // server sizes of the listed files
    int64_t runBytes = 0;     // held so far, resumed parts included
    int64_t fileBytes = 0;
    int64_t fileSize = 0;
    int filePercent = 0;
    int totalPercent = 0;
    QString fileLine;         // the current file's status text
};

// Fetches the hourly SYNOP files of the last 72 hours (73 hours, both ends
// included) into programFolder/SYNOP: asks the server for the size of each
// hour's file, lists the hours whose size differs from the local copy, and
// fetches them newest first, resuming where a local copy ends. Works on the
// event loop of the thread it lives in and receives as fast as the network
// delivers.
class SynopDownload : public QObject {
    Q_OBJECT
public:
    enum class State { Ready, Checking, Loading, Finished, NothingNew, CheckFailed, Cancelled };

    SynopDownload(QString programFolder, SynopDownloadSettings settings, QObject* parent = nullptr);
    ~SynopDownload() override;

    // Default: the system's proxy configuration.
    void setProxy(const QNetworkProxy& proxy);
    // A request on which no byte arrives for this long is given up.
    void setStallTimeout(int milliseconds) { stallTimeoutMs_ = milliseconds; }

    // Checks the window's hours, then loads; finished() at the end.
    void start(const SynopTimeWindow& window);
    // Stops where it is; partial files stay for the next run.
    void cancel();

    State state() const { return state_; }
    bool isRunning() const { return state_ == State::Checking || state_ == State::Loading; }
    const std::vector<SynopDownloadEntry>& entries() const { return entries_; }
    const SynopDownloadProgress& progress() const { return progress_; }
    // Why checking stopped (State::CheckFailed).
    const QString& checkError() const { return checkError_; }
    // Every listed file arrived whole.
    bool allComplete() const;

    QString localPath(const QString& name) const;

    // The dialog's texts.
    static QString stateText(State state);
    static QString testText(int day, int month, int year, int hour);
    static QString statusText(int64_t size, int day, int month, int year, int hour);

signals:
    void hourChecked(int hour, const QString& line);
    void totalChanged(qint64 totalBytes);
    void fileStarted(const QString& line);
    void progressChanged();
    void finished();

private:
    struct HourAnswer {
        bool reached = false; // an HTTP answer came at all
        int status = 0;
        int64_t length = 0;
        QString error;
    };
    static constexpr int kParallelChecks = 6;

    QString hourName(int hour) const;
    void askNextHour();
    void askHour(int hour, bool withGet);
    static HourAnswer answerOf(const QNetworkReply& reply);
    void hourAnswered(int hour, bool withGet);
    void reportAnswers();
    void listIfDifferent(int hour, int64_t serverSize);
    void stopChecks();
    void startLoading();
    void nextFile();
    void fileDone();
    void updateProgress();
    void finish(State state);

    QString programFolder_;
    SynopDownloadSettings settings_;
    QNetworkAccessManager* network_;
    SynopTimeWindow window_;
    std::vector<SynopDownloadEntry> entries_;
    SynopDownloadProgress progress_;
    State state_ = State::Ready;
    QString checkError_;
    std::vector<std::optional<HourAnswer>> answers_;
    std::vector<QNetworkReply*> checkReplies_;
    int nextToAsk_ = 0;
    int nextToReport_ = 0;
    HourlyFileTransfer* transfer_ = nullptr;
    int64_t doneBytes_ = 0; // of the files finished this run
    int stallTimeoutMs_ = 30000;
    bool cancelled_ = false;
};

} // namespace kesmar
