// kesmar-synop: command-line access to the SYNOP station file and conversion.
#include "Convert.h"
#include "Download.h"
#include "Dump.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

void printUsage(FILE* to)
{
    std::fputs("usage: kesmar-synop convert [--now \"YYYY-MM-DD HH:MM\"]\n"
               "       kesmar-synop download [--now \"YYYY-MM-DD HH:MM\"]\n"
               "       kesmar-synop dump [--csv] [FILE]\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printUsage(stderr);
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        printUsage(stdout);
        return 0;
    }
    if (command == QLatin1String("convert"))
        return kesmar::synoptool::runConvert(args);
    if (command == QLatin1String("download"))
        return kesmar::synoptool::runDownload(args);
    if (command == QLatin1String("dump"))
        return kesmar::synoptool::runDump(args);
    printUsage(stderr);
    return 2;
}
