#include "RenderJob.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/ChartStartup.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/PagePrinter.h"
#include "chartdata/PointPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "chartdata/PointDescription.h"
#include "chartdata/PointHitTest.h"
#include "chartdata/VesselMark.h"
#include "core/Viewport.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <cmath>

namespace kesmar {

namespace {

constexpr int kPdfDotsPerInch = 300;

void collect(const PaintResult& result, QStringList& errors)
{
    for (const PaintResult::OpenError& e : result.openErrors) errors << e.message();
}

struct Setup {
    ChartConfig config;
    ChartCatalogue catalogue;
    Viewport viewport;
    bool ok = false;
};

void startUp(const RenderJob& job, Setup& s, QStringList& errors)
{
    const ChartStartup::Result r = ChartStartup::startView(
        job.programFolder, {0, 0, job.size.width(), job.size.height()}, s.config, s.catalogue,
        s.viewport);
    for (const ChartError& e : r.errors) errors << e.message();
    s.ok = r.ok;
    if (s.ok && job.viewScale) {
        s.viewport.setView(*job.viewScale, -*job.viewLongitude * 60.0, *job.viewLatitude * 60.0);
        s.catalogue.selectForViewport(s.viewport);
    }
}

// The program folder's symbol library; empty (symbols invisible) when missing.
std::shared_ptr<const SymbolLibrary> symbolsOf(const QString& programFolder)
{
    Result<SymbolLibrary> loaded = SymbolLibrary::load(programFolder);
    return std::make_shared<const SymbolLibrary>(loaded ? std::move(loaded).value() : SymbolLibrary());
}

} // namespace

std::optional<RenderJob> RenderJob::parse(const QStringList& args, QString* error)
{
    RenderJob job;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--size") && hasValue) {
            const auto m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(args[++i]);
            if (!m.hasMatch() || m.captured(1).toInt() < 1 || m.captured(2).toInt() < 1) {
                *error = QStringLiteral("--size wants WIDTHxHEIGHT, e.g. 1024x768");
                return std::nullopt;
            }
            job.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (a == QLatin1String("--vessel") && hasValue) {
            const QStringList parts = args[++i].split(QLatin1Char(','));
            bool okLat = false, okLon = false;
            const double lat = parts.size() == 2 ? parts[0].toDouble(&okLat) : 0.0;
            const double lon = parts.size() == 2 ? parts[1].toDouble(&okLon) : 0.0;
            if (!okLat || !okLon || std::abs(lat) > 90 || std::abs(lon) > 180) {
                *error = QStringLiteral("--vessel wants LAT,LON in degrees, e.g. 54.18,7.89");
                return std::nullopt;
            }
            job.vesselLatitudeMinutes = lat * 60.0;
            job.vesselLongitudeMinutes = lon * 60.0;
        } else if (a == QLatin1String("--view") && hasValue) {
            const QStringList parts = args[++i].split(QLatin1Char(','));
            bool ok[3] = {false, false, false};
            for (int k = 0; k < 3 && parts.size() == 3; ++k) parts[k].toDouble(&ok[k]);
            if (!ok[0] || !ok[1] || !ok[2] || parts[2].toDouble() <= 0) {
                *error = QStringLiteral("--view wants LAT,LON,SCALE, e.g. 56,3,0.5");
                return std::nullopt;
            }
            job.viewLatitude = parts[0].toDouble();
            job.viewLongitude = parts[1].toDouble();
            job.viewScale = parts[2].toDouble();
        } else if (a == QLatin1String("--info") && hasValue) {
            const auto m = QRegularExpression(QStringLiteral("^(-?\\d{1,6}),(-?\\d{1,6})$")).match(args[++i]);
            if (!m.hasMatch()) {
                *error = QStringLiteral("--info wants the pixel X,Y, e.g. 512,384");
                return std::nullopt;
            }
            job.infoPixel = QPoint(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (!a.startsWith(QLatin1String("--")) && job.output.isEmpty()) {
            job.output = a;
        } else {
            *error = QStringLiteral("unknown or incomplete argument: ") + a;
            return std::nullopt;
        }
    }
    const QString lower = job.output.toLower();
    if (job.infoPixel && job.output.isEmpty())
        return job;
    if (!lower.endsWith(QLatin1String(".png")) && !lower.endsWith(QLatin1String(".pdf"))) {
        *error = QStringLiteral("the output must end in .png or .pdf");
        return std::nullopt;
    }
    return job;
}

bool RenderJob::run(QStringList& errors) const
{
    return output.toLower().endsWith(QLatin1String(".pdf")) ? renderPage(errors)
                                                            : renderPicture(errors);
}

bool RenderJob::pointInfo(QStringList& lines, QStringList& errors) const
{
    Setup s;
    startUp(*this, s, errors);
    if (!s.ok || !infoPixel)
        return false;
    const bool available = (s.catalogue.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    const PointHitTest::Hit hit = PointHitTest::find(s.viewport, s.catalogue.entries(), available,
                                                     PointHitTest::diskFiles(programFolder), infoPixel->x(),
                                                     infoPixel->y());
    if (!hit.found())
        return false;
    lines = PointDescription::lines(PointDescription::build(*hit.record));
    return true;
}

bool RenderJob::renderPicture(QStringList& errors) const
{
    Setup s;
    startUp(*this, s, errors);
    if (!s.ok) return false;
    QImage image(size, QImage::Format_RGB32);
    LineFileCache files;
    DrawOptions options;
    options.colours = ChartPainter::activeColours(s.config, false);
    options.detailFlags = s.config.detailFlags;
    options.charts = s.catalogue.entries();
    options.chartsAvailable = (s.catalogue.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    options.programFolder = programFolder;
    options.files = &files;
    options.buoyage = PointPainter::hook(symbolsOf(programFolder));
    ChartPainter painter;
    QPainter p(&image);
    collect(painter.paint(p, s.viewport, options), errors);
    if (vesselLongitudeMinutes && vesselLatitudeMinutes) {
        VesselMark mark;
        mark.afterPaint(p, s.viewport, *vesselLongitudeMinutes, *vesselLatitudeMinutes);
    }
    p.end();
    if (!image.save(output, "PNG")) {
        errors << QStringLiteral("cannot write ") + output;
        return false;
    }
    return true;
}

bool RenderJob::renderPage(QStringList& errors) const
{
    Setup s;
    startUp(*this, s, errors);
    if (!s.ok) return false;
    QPdfWriter writer(output);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     size.width() >= size.height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait,
                                     QMarginsF()));
    writer.setTitle(QStringLiteral("Kesmar"));
    QPainter p;
    if (!p.begin(&writer)) {
        errors << QStringLiteral("cannot write ") + output;
        return false;
    }
    LineFileCache files;
    DrawOptions options;
    options.detailFlags = s.config.detailFlags;
    options.programFolder = programFolder;
    options.files = &files;
    const std::shared_ptr<const SymbolLibrary> symbols = symbolsOf(programFolder);
    options.buoyage = PointPainter::hook(symbols);
    options.pageSymbol = PointPainter::pageSymbolHook(symbols, ChartPainter::activeColours(s.config, true));
    PagePrinter::Marks marks;
    marks.vesselLongitude = vesselLongitudeMinutes;
    marks.vesselLatitude = vesselLatitudeMinutes;
    const PagePrinter::Page page{QSize(writer.width(), writer.height()), double(writer.logicalDpiX()),
                                 double(writer.logicalDpiY())};
    ChartPainter painter;
    collect(PagePrinter::print(p, page, s.viewport, s.catalogue, s.config, options, marks, painter),
            errors);
    return p.end();
}

} // namespace kesmar
