#include "SymbolSheet.h"

#include "SymbolSource.h"

#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointRecord.h"
#include "chartdata/SymbolPainter.h"
#include "core/FileUtil.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <memory>
#include <cstring>

namespace kesmar::chartbuild {

namespace {

constexpr int kComposedRows = 1;

struct Sample {
    uint8_t typeByte;
    uint8_t colours;  // fg | bg << 4
    uint8_t modifier;
    const char* label;
};

// Marks of IALA region A as the chart draws them.
constexpr Sample kSamples[] = {
    {0x80 | 3, 0x51, 0x42, "N"},         // pillar, black over yellow, N topmark
    {0x80 | 3, 0x15, 0x43, "E"},
    {0x80 | 3, 0x15, 0x44, "S"},
    {0x80 | 3, 0x51, 0x45, "W"},
    {1, 0xDD, 0x46, "BB"},               // can, red, can topmark, lit
    {0, 0x99, 0x07, "StB"},              // cone, green, cone topmark
    {0x40 | 2, 0x2D, 0x68, "Mitte"},     // sphere, red/white stripes, radar
    {0x80 | 3, 0xD1, 0x41, "Gefahr"},    // pillar, black with red band
    {5, 0x55, 0x99, "Sonder"},           // barrel, yellow, X, warning
    {47, 0x11, 45, "Wrack"},             // wreck with depth
};

QColor sheetInk() { return QColor(Qt::black); }

} // namespace

QPoint SymbolSheet::origin(int k)
{
    return QPoint((k % kColumns) * kCell + kCell / 2, (k / kColumns) * kCell + kCell * 3 / 4);
}

QImage SymbolSheet::draw(const SymbolLibrary& library)
{
    const int rows = (SymbolLibrary::kEntryCount + kColumns - 1) / kColumns + kComposedRows;
    QImage image(kColumns * kCell, rows * kCell, QImage::Format_RGB32);
    image.fill(Qt::white);
    const ChartConfig config;
    const ColourTable colours = ChartPainter::activeColours(config, true);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    for (int k = 0; k < SymbolLibrary::kEntryCount; ++k) {
        const QPoint o = origin(k);
        const QRect cell((k % kColumns) * kCell, (k / kColumns) * kCell, kCell, kCell);
        p.setPen(QColor(0xD0, 0xD0, 0xD0));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.drawLine(o.x() - 4, o.y(), o.x() + 4, o.y());
        p.drawLine(o.x(), o.y() - 4, o.x(), o.y() + 4);
        p.setPen(sheetInk());
        p.drawText(cell.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(k));
        SymbolPainter s(p, library, colours);
        s.setOrigin(o);
        s.setSize(kSize);
        s.setPattern(PointPattern::Bands);
        s.setPointColours(colours.colour(13), colours.colour(5));
        s.drawSymbol(k);
    }
    const int top = (rows - kComposedRows) * kCell;
    for (int i = 0; i < int(std::size(kSamples)); ++i) {
        const Sample& sample = kSamples[i];
        const QPoint o(i * kCell + kCell / 2, top + kCell * 3 / 4);
        const auto record = PointRecord::make(13, sample.typeByte, sample.colours, sample.modifier, 0, {});
        SymbolPainter::drawPointSymbol(p, library, colours, *record, o, kSize);
        p.setPen(sheetInk());
        p.drawText(QRect(i * kCell + 3, top + 1, kCell, 14), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromLatin1(sample.label));
    }
    return image;
}

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "kesmar-chartbuild: %s\n", qPrintable(message));
    return 1;
}

Result<SymbolLibrary::Entries> readSource(const QString& path)
{
    const std::optional<QByteArray> text = readWholeFile(path);
    if (!text) return Error::inFile(path, QStringLiteral("cannot be read"));
    return SymbolSource::parse(*text, path);
}

bool asks(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

} // namespace

int runSymbolCommand(int argc, char** argv)
{
    const bool sheet = asks(argc, argv, "--symbol-sheet");
    if (!sheet && !asks(argc, argv, "--symbols")) return -1;
    // The sheet draws numbers, which needs a font database; no display is needed.
    if (sheet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(sheet ? new QGuiApplication(argc, argv)
                                                              : new QCoreApplication(argc, argv));
    const QCoreApplication& app = *application;
    QCommandLineParser p;
    p.addOptions({
        {"symbols", "Symbol library source.", "FILE", QStringLiteral(KESMAR_SYMBOL_SOURCE)},
        {"library", "A compiled BUOYAGE.LBJ to draw.", "FILE"},
        {"symbol-sheet", "Draw every symbol with its number into a PNG.", "PNG"},
        {"out", "Folder (CHARTDATA) that gets BUOYAGE.LBJ.", "DIR"},
    });
    if (!p.parse(app.arguments())) return fail(p.errorText());
    SymbolLibrary library;
    if (p.isSet("library")) {
        const std::optional<QByteArray> bytes = readWholeFile(p.value("library"));
        if (!bytes) return fail(p.value("library") + QStringLiteral(": cannot be read"));
        library = SymbolLibrary::fromBytes(*bytes);
    } else {
        const Result<SymbolLibrary::Entries> entries = readSource(p.value("symbols"));
        if (!entries) return fail(entries.error().describe());
        const Result<QByteArray> bytes = SymbolLibrary::toBytes(*entries);
        if (!bytes) return fail(p.value("symbols") + QStringLiteral(": ") + bytes.error().describe());
        library = SymbolLibrary::fromBytes(*bytes);
        if (!sheet) {
            if (p.value("out").isEmpty()) return fail(QStringLiteral("--symbols needs --out DIR"));
            const QString target = findFileNoCase(p.value("out"), QStringLiteral("BUOYAGE.LBJ"));
            // A library being replaced is never seen half written.
            QSaveFile out(target);
            if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size() || !out.commit())
                return fail(target + QStringLiteral(": ") + out.errorString());
            std::printf("%s: %lld bytes\n", qPrintable(target), static_cast<long long>(bytes->size()));
            return 0;
        }
    }
    const QString png = p.value("symbol-sheet");
    if (!SymbolSheet::draw(library).save(png, "PNG")) return fail(png + QStringLiteral(": cannot be written"));
    std::printf("%s: %d symbols\n", qPrintable(png), SymbolLibrary::kEntryCount);
    return 0;
}

} // namespace kesmar::chartbuild
