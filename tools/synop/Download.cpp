#include "Download.h"

#include "core/FileUtil.h"
#include "core/IniFile.h"
#include "weather/DialupConnection.h"
#include "weather/SynopDownload.h"
#include "weather/SynopTimeWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QRegularExpression>
#include <cstdio>
#include <optional>
#include <ctime>

namespace kesmar::synoptool {

namespace {

// "YYYY-MM-DD HH:MM", the current time as UTC calendar fields.
bool parseNow(const QString& text, SynopTimeWindow& window)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})[ T](\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const int month = m.captured(2).toInt(), day = m.captured(3).toInt();
    const int hour = m.captured(4).toInt(), minute = m.captured(5).toInt();
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59)
        return false;
    window = SynopTimeWindow::fromUtcFields(m.captured(1).toInt(), month, day, hour, minute);
    return true;
}

const char* outcomeText(SynopDownloadEntry::Outcome outcome)
{
    switch (outcome) {
    case SynopDownloadEntry::Outcome::Complete: return "complete";
    case SynopDownloadEntry::Outcome::Partial: return "partial";
    case SynopDownloadEntry::Outcome::Failed: return "failed";
    case SynopDownloadEntry::Outcome::Pending: break;
    }
    return "not fetched";
}

void printLine(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

// Runs the dial command when the settings ask for one and the machine is offline.
bool connect(DialupConnection& connection)
{
    std::optional<bool> connected;
    QEventLoop loop;
    QObject::connect(&connection, &DialupConnection::ready, &loop, [&](bool ok) {
        connected = ok;
        loop.quit();
    });
    connection.connectIfNeeded();
    if (!connected)
        loop.exec();
    return connected.value_or(false);
}

} // namespace

int runDownload(const QStringList& args)
{
    SynopTimeWindow window = SynopTimeWindow::fromNow(std::time(nullptr));
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--now") && i + 1 < args.size() && parseNow(args[i + 1], window)) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "kesmar-synop download: bad argument \"%s\"; usage: download [--now \"YYYY-MM-DD HH:MM\"]\n",
                     args[i].toLocal8Bit().constData());
        return 2;
    }

    // The system's proxy settings, as a browser would use them.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    const QString folder = QDir::currentPath();
    IniFile ini(findFileNoCase(folder, QStringLiteral("KMR.INI")));
    if (const Status loaded = ini.load(); !loaded)
        std::fprintf(stderr, "kesmar-synop download: %s; the default addresses apply\n",
                     loaded.error().describe().toLocal8Bit().constData());
    const SynopDownloadSettings settings = SynopDownloadSettings::read(ini);
    const QString scheme = QUrl(settings.synopBaseUrl).scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        std::fprintf(stderr, "kesmar-synop download: [URL] syn in KMR.INI is \"%s\", not an http:// address\n",
                     settings.synopBaseUrl.toLocal8Bit().constData());
        return 1;
    }

    DialupConnection connection(settings);
    if (!connect(connection)) {
        std::fprintf(stderr, "kesmar-synop download: no connection: %s\n",
                     connection.lastError().toLocal8Bit().constData());
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    SynopDownload download(folder, settings);
    QEventLoop loop;
    QObject::connect(&download, &SynopDownload::finished, &loop, &QEventLoop::quit);
    download.start(window);
    if (download.isRunning())
        loop.exec();
    connection.hangUpIfDialled();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    if (download.state() == SynopDownload::State::CheckFailed) {
        std::fprintf(stderr, "kesmar-synop download: checking %s failed: %s\n",
                     settings.synopBaseUrl.toLocal8Bit().constData(),
                     download.checkError().toLocal8Bit().constData());
        return 1;
    }
    int64_t received = 0;
    int complete = 0;
    const auto& entries = download.entries();
    // In the order fetched: newest first.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        received += it->bytesReceived;
        complete += it->outcome == SynopDownloadEntry::Outcome::Complete ? 1 : 0;
        QString line = QStringLiteral("%1 %2 bytes %3").arg(it->name).arg(it->bytesReceived, 10).arg(QLatin1String(outcomeText(it->outcome)));
        if (it->outcome != SynopDownloadEntry::Outcome::Complete && !it->error.isEmpty())
            line += QStringLiteral(" (%1)").arg(it->error);
        printLine(line);
    }
    printLine(QStringLiteral("files: %1 listed, %2 complete, %3 not; bytes received: %4; seconds: %5")
                  .arg(entries.size())
                  .arg(complete)
                  .arg(static_cast<qsizetype>(entries.size()) - complete)
                  .arg(received)
                  .arg(seconds, 0, 'f', 3));
    return download.allComplete() ? 0 : 1;
}

} // namespace kesmar::synoptool
