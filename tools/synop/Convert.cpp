#include "Convert.h"

#include "weather/SynopConversion.h"
#include "weather/SynopTables.h"
#include "weather/SynopTimeWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <cstdio>
#include <ctime>

namespace kesmar::synoptool {

namespace {

struct UtcFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// "YYYY-MM-DD HH:MM", the current time as UTC calendar fields.
bool parseNow(const QString& text, UtcFields& out)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})[ T](\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    out = {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt(),
           m.captured(5).toInt()};
    return out.month >= 1 && out.month <= 12 && out.day >= 1 && out.day <= 31 && out.hour <= 23
        && out.minute <= 59;
}

void print(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int runConvert(const QStringList& args)
{
    SynopTimeWindow window = SynopTimeWindow::fromNow(std::time(nullptr));
    for (qsizetype i = 0; i < args.size(); ++i) {
        UtcFields now;
        if (args[i] == QLatin1String("--now") && i + 1 < args.size() && parseNow(args[i + 1], now)) {
            window = SynopTimeWindow::fromUtcFields(now.year, now.month, now.day, now.hour, now.minute);
            ++i;
            continue;
        }
        std::fprintf(stderr, "kesmar-synop convert: bad argument \"%s\"; usage: convert [--now \"YYYY-MM-DD HH:MM\"]\n",
                     args[i].toLocal8Bit().constData());
        return 2;
    }

    const QString folder = QDir::currentPath();
    SynopTables tables;
    const Status loaded = tables.load(folder);
    if (!loaded) {
        std::fprintf(stderr, "kesmar-synop convert: cannot load the decoder tables: %s\nNothing was converted.\n",
                     loaded.error().describe().toLocal8Bit().constData());
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    SynopConversion conversion(folder, tables);
    conversion.scan(window);
    // Slices of many lines: the tool has no dialog to keep responsive.
    conversion.setLinesPerStep(100000);
    conversion.run();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    if (conversion.restoredLeftover())
        print(QStringLiteral("restored SYNOP/STATION.DAT from a STATION.TMP left by an interrupted run"));
    for (const SynopFileEntry& file : conversion.files())
        print(QStringLiteral("  %1  %2").arg(file.name).arg(file.size, 9));
    const StationFileDeduplicator::Result& dedup = conversion.duplicateRemoval();
    print(QStringLiteral("files: %1").arg(conversion.files().size()));
    print(QStringLiteral("bytes: %1").arg(conversion.progress().totalBytes));
    print(QStringLiteral("reports written: %1").arg(conversion.reportsWritten() - conversion.reportsLost()));
    if (conversion.reportsLost() > 0)
        print(QStringLiteral("reports lost (SYNOP/STATION.DAT not writable): %1").arg(conversion.reportsLost()));
    print(QStringLiteral("duplicates removed: %1").arg(dedup.removed()));
    if (dedup.rewritten)
        print(QStringLiteral("station file records: %1").arg(dedup.recordsAfter));
    if (conversion.status() == SynopConversion::Status::NothingToDo)
        print(QStringLiteral("no bulletin file with data in SYNOP/ for the 72 hours before now"));
    print(QStringLiteral("seconds: %1").arg(seconds, 0, 'f', 3));
    if (!dedup.error.isEmpty()) {
        std::fprintf(stderr, "kesmar-synop convert: duplicate removal failed, station file left as it was: %s\n",
                     dedup.error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

} // namespace kesmar::synoptool
