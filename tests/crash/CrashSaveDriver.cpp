// Saves CHART.CFG, CHARTLIST.LST and KMR.INI with the real save functions,
// for the crash-safety test that kills this process at random moments.
//   crash-save-driver once A|B FOLDER   writes version A or B once
//   crash-save-driver loop FOLDER       alternates A and B until killed
//   crash-save-driver check FOLDER      loads all three as the plotter does
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartHeader.h"
#include "core/FileUtil.h"
#include "core/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

using namespace kesmar;

namespace {

QString iniPath(const QString& folder) { return findFileNoCase(folder, QStringLiteral("KMR.INI")); }

// The two versions differ in every file and in size (list and INI).
bool saveVersion(const QString& folder, bool b)
{
    ChartConfig config;
    config.viewScale = b ? 12.25 : 6.5;
    config.symbolSize = b ? 0.04 : 0.025;
    if (config.save(folder))
        return false;
    ChartCatalogue catalogue;
    const int charts = b ? 40 : 25;
    for (int i = 0; i < charts; ++i) {
        ChartHeader header;
        header.setBox({-1000 * (i + 1), -2000 * (i + 1), 1000 * (i + 1), 2000 * (i + 1)});
        if (catalogue.addHeader(QStringLiteral("%1CHART%2").arg(b ? "B" : "A").arg(i, 2, 10, QLatin1Char('0')), header))
            return false;
    }
    if (catalogue.saveList(folder))
        return false;
    IniFile ini(iniPath(folder));
    (void)ini.load(); // a missing file starts empty
    ini.setValue(u"Crash", u"Version", b ? QStringLiteral("B") : QStringLiteral("A"));
    ini.setValue(u"Crash", u"Padding", QString(b ? 3000 : 700, QLatin1Char(b ? 'b' : 'a')));
    return ini.save().ok();
}

int check(const QString& folder)
{
    ChartConfig config;
    if (const Status s = config.load(folder); !s) {
        std::fprintf(stderr, "CHART.CFG: %s\n", qPrintable(s.error().describe()));
        return 1;
    }
    ChartCatalogue catalogue;
    if (!catalogue.loadList(folder) || catalogue.isEmpty()) {
        std::fprintf(stderr, "CHARTLIST.LST: not loaded\n");
        return 1;
    }
    IniFile ini(iniPath(folder));
    if (const Status s = ini.load(); !s) {
        std::fprintf(stderr, "KMR.INI: %s\n", qPrintable(s.error().describe()));
        return 1;
    }
    std::printf("charts %d\n", catalogue.count());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("once"))
        return saveVersion(args[3], args[2] == QLatin1String("B")) ? 0 : 1;
    if (args.size() == 3 && args[1] == QLatin1String("check"))
        return check(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("loop")) {
        std::puts("saving");
        std::fflush(stdout);
        for (bool b = true;; b = !b) {
            if (!saveVersion(args[2], b))
                return 1;
        }
    }
    std::fprintf(stderr, "usage: crash-save-driver once A|B FOLDER | loop FOLDER | check FOLDER\n");
    return 2;
}
