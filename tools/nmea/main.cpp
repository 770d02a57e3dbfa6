// kesmar-nmea: the receiver program of the plotter. Reads NMEA 0183 from a
// serial port, TCP, gpsd, UDP or a file and sends each sentence as one
// datagram into the plotter's slot; with --print it prints CSV instead.
#include "AisJsonPrinter.h"
#include "NmeaCsvPrinter.h"
#include "NmeaReceiver.h"
#include "NmeaSourceAddress.h"
#include "nmea/AisReceiver.h"
#include "nmea/NmeaSlot.h"
#include "nmea/NmeaSlotSender.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>

using namespace kesmar;

namespace {

struct Options {
    NmeaSourceAddress source;
    QString slotPath;
    bool print = false;
    bool printAis = false;
    double rate = -1.0; // unset
};

bool parseOptions(const QCoreApplication& app, Options* options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Forwards NMEA 0183 sentences to the Kesmar plotter.\n"
        "SOURCE: serial:/dev/ttyUSB0[@BAUD] | tcp:HOST:PORT | gpsd:HOST[:PORT] | udp:PORT | file:PATH"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("where to read NMEA from"));
    const QCommandLineOption print(QStringLiteral("print"),
                                   QStringLiteral("parse and print CSV instead of sending"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("file replay: sentences per second (default 10; "
                                                 "with --print unlimited)"),
                                  QStringLiteral("N"));
    const QCommandLineOption slot(QStringLiteral("slot"),
                                  QStringLiteral("the plotter's slot (default %1)").arg(NmeaSlot::defaultPath()),
                                  QStringLiteral("PATH"));
    const QCommandLineOption printAis(QStringLiteral("print-ais"),
                                      QStringLiteral("decode AIS and print one JSON object per message "
                                                     "(gpsd's field names) instead of sending"));
    parser.addOptions({print, printAis, rate, slot});
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return false;
    }
    QString error;
    const std::optional<NmeaSourceAddress> source = NmeaSourceAddress::parse(parser.positionalArguments().first(), &error);
    if (!source) {
        std::fprintf(stderr, "kesmar-nmea: %s\n", qPrintable(error));
        return false;
    }
    options->source = *source;
    options->print = parser.isSet(print);
    options->printAis = parser.isSet(printAis);
    options->slotPath = parser.isSet(slot) ? parser.value(slot) : NmeaSlot::defaultPath();
    if (parser.isSet(rate)) {
        bool ok = false;
        options->rate = parser.value(rate).toDouble(&ok);
        if (!ok || options->rate <= 0.0) {
            std::fprintf(stderr, "kesmar-nmea: --rate needs a positive number\n");
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kesmar-nmea"));
    std::signal(SIGPIPE, SIG_IGN);
    Options options;
    if (!parseOptions(app, &options))
        return 2;

    NmeaReceiver receiver(options.source);
    receiver.setFileRate(options.rate > 0.0 ? options.rate : (options.print || options.printAis) ? 0.0 : 10.0);
    QObject::connect(&receiver, &NmeaReceiver::status, [](const QString& message) {
        std::fprintf(stderr, "kesmar-nmea: %s\n", qPrintable(message));
    });
    QObject::connect(&receiver, &NmeaReceiver::finished, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);

    NmeaCsvPrinter printer;
    NmeaSlotSender sender;
    sender.setPath(options.slotPath);
    bool warnedNoPlotter = false;
    AisReceiver ais;
    if (options.printAis) {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
        QObject::connect(&receiver, &NmeaReceiver::sentenceReceived, [&](const QByteArray& sentence) {
            if (const std::optional<AisMessage> message = ais.receive(sentence)) {
                const QByteArray line = AisJsonPrinter::json(*message);
                std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
                std::fputc('\n', stdout);
            }
        });
    } else if (options.print) {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
        std::printf("%s\n", NmeaCsvPrinter::kHeader);
        QObject::connect(&receiver, &NmeaReceiver::sentenceReceived, [&](const QByteArray& sentence) {
            const QByteArray line = printer.line(sentence);
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
            std::fputc('\n', stdout);
        });
    } else {
        QObject::connect(&receiver, &NmeaReceiver::sentenceReceived, [&](const QByteArray& sentence) {
            QString error;
            const NmeaSlotSender::Result result = sender.send(sentence, &error);
            if (result == NmeaSlotSender::Result::NoPlotter && !warnedNoPlotter) {
                std::fprintf(stderr, "kesmar-nmea: no plotter at %s (%s); sentences are dropped until it runs\n",
                             qPrintable(options.slotPath), qPrintable(error));
                warnedNoPlotter = true;
            } else if (result == NmeaSlotSender::Result::Sent) {
                warnedNoPlotter = false;
            }
        });
    }
    receiver.start();
    const int rc = app.exec();
    std::fflush(stdout);
    if (options.printAis && ais.counters().dropped() > 0)
        std::fprintf(stderr, "kesmar-nmea: %s\n", qPrintable(ais.counters().summary()));
    return rc;
}
