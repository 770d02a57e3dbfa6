// kesmar-chartbuild: writes one chart (<NAME>.HDR/.WPN/.LIN, .BWP/.BPT with
// points) from GSHHG data extracted with GMT, GeoJSON layers, point lists
// and S-57 ENC cells; or, with --democoor, the simulated track file.
#include "ChartBuilder.h"
#include "DemoTrack.h"
#include "GeoJsonSource.h"
#include "GmtRunner.h"
#include "PointListSource.h"
#include "S57GeoJsonSource.h"
#include "S57Import.h"
#include "Preview.h"
#include "ShoreAssembler.h"
#include "SymbolSheet.h"

#include "core/FileUtil.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "kesmar-chartbuild: %s\n", qPrintable(message));
    return 1;
}

std::optional<GeoBox> parseBox(const QString& text)
{
    const QStringList p = text.split(QLatin1Char('/'));
    if (p.size() != 4)
        return std::nullopt;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = p[i].toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    const GeoBox b{v[0], v[1], v[2], v[3]};
    if (b.west >= b.east || b.south >= b.north || b.west < -180 || b.east > 180 || b.south < -90 || b.north > 90)
        return std::nullopt;
    return b;
}

struct GshhgLayer {
    const char* selection;
    int layer;
    bool area;
    uint8_t attribute;
};

bool addGshhg(ChartBuilder& chart, const GeoBox& box, QChar resolution, const QString& rivers,
              bool borders, const QString& cacheDir, QString* error)
{
    const GmtRunner gmt(cacheDir);
    std::vector<GshhgLayer> layers{{"-W1/", 4, true, 14}, {"-W2/", 5, true, 6}};
    const QByteArray riverSelection = ("-I" + rivers).toLatin1();
    if (!rivers.isEmpty())
        layers.push_back({riverSelection.constData(), 7, false, 6});
    if (borders)
        layers.push_back({"-N1", 9, false, 0x10 | 11});  // dash-dot-dot, violet
    for (const GshhgLayer& l : layers) {
        auto lines = gmt.coast(box, resolution, QString::fromLatin1(l.selection), error);
        if (!lines)
            return false;
        const QString feature = QStringLiteral("GSHHG %1").arg(QString::fromLatin1(l.selection));
        if (l.area) {
            for (const auto& ring : ShoreAssembler(box).assemble(std::move(*lines)))
                if (ring.size() >= 3 && !chart.addArea(l.layer, ring, l.attribute, 0, feature, error))
                    return false;
        } else {
            for (const GeoLine& line : *lines)
                if (line.points.size() >= 2 && !chart.addLine(l.layer, line.points, l.attribute, 0, feature, error))
                    return false;
        }
    }
    return true;
}

bool addFiles(ChartBuilder& chart, const QStringList& geojson, const QStringList& pointLists, int maxLevel,
              QString* error)
{
    for (const QString& file : geojson) {
        const auto text = readWholeFile(file);
        if (!text) {
            *error = QStringLiteral("cannot read %1").arg(file);
            return false;
        }
        if (!addGeoJson(*text, file, chart, error))
            return false;
    }
    for (const QString& file : pointLists) {
        const auto text = readWholeFile(file);
        if (!text) {
            *error = QStringLiteral("cannot read %1").arg(file);
            return false;
        }
        const auto entries = parsePointList(*text, file, error);
        if (!entries)
            return false;
        for (const PointListEntry& e : *entries)
            if (e.record.level() <= maxLevel && !chart.addPoint(e.record, file + ": " + e.name, error))
                return false;
    }
    return true;
}

int buildDemoTrack(const QString& waypointFile, const QString& out)
{
    const auto text = readWholeFile(waypointFile);
    if (!text)
        return fail(QStringLiteral("cannot read %1").arg(waypointFile));
    QString error;
    const auto waypoints = DemoTrack::parseWaypoints(*text, &error);
    if (!waypoints || waypoints->empty())
        return fail(QStringLiteral("%1: %2").arg(waypointFile, error.isEmpty() ? QStringLiteral("no waypoints") : error));
    const auto track = DemoTrack::interpolate(*waypoints, 0.03);
    const Status written = writeFileAtomically(out, DemoTrack::file(track));
    if (!written)
        return fail(written.error().describe());
    std::printf("%s: %zu positions\n", qPrintable(out), track.size());
    return 0;
}

int listCells(const QStringList& paths)
{
    for (const QString& path : paths) {
        const Result<S57Cell> cell = S57Cell::read(path);
        if (!cell)
            return fail(cell.error().describe());
        std::printf("%s", qPrintable(listCell(*cell)));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (const int status = runSymbolCommand(argc, argv); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Builds a Kesmar chart from GSHHG, GeoJSON and point lists."));
    p.addHelpOption();
    p.addOptions({
        {"name", "Chart name (upper-case file stem).", "NAME"},
        {"box", "Chart box in degrees: west/east/south/north.", "W/E/S/N"},
        {"out", "Output folder (CHARTDATA), or the track file with --democoor.", "PATH"},
        {"gshhg", "Add GSHHG shores and lakes at resolution c, l, i, h or f.", "RES"},
        {"rivers", "Add GSHHG rivers of this GMT class (e.g. r, a, 1/2).", "CLASS"},
        {"borders", "Add national borders."},
        {"cache", "Folder for GMT extracts.", "DIR"},
        {"geojson", "Add the features of a GeoJSON file (repeatable).", "FILE"},
        {"points", "Add the points of a point list (repeatable).", "FILE"},
        {"s57", "Add an S-57 ENC cell (CELL.000, updates beside it applied) or the buoys, beacons, lights, "
                "wrecks and obstructions of an S-57-class GeoJSON file (repeatable; lights join their buoys "
                "across files; the box defaults to the cells' extent).", "FILE"},
        {"list", "Print the object classes of an ENC cell, their counts and what each becomes.", "CELL"},
        {"max-level", "Only points whose level is at most N.", "N", "255"},
        {"preview", "Also paint the written chart into a PNG overview.", "PNG"},
        {"democoor", "Write the simulated track from a waypoint list to --out.", "FILE"},
        {"symbols", "Compile a symbol library source into --out/BUOYAGE.LBJ.", "FILE"},
        {"symbol-sheet", "Draw every symbol with its number into a PNG.", "PNG"},
    });
    p.process(app);
    if (p.isSet("democoor"))
        return buildDemoTrack(p.value("democoor"), p.value("out"));
    if (p.isSet("list"))
        return listCells(p.values("list"));

    QStringList cellFiles, s57Files;
    for (const QString& f : p.values("s57"))
        (isEncCell(f) ? cellFiles : s57Files) << f;
    // All cells are read before anything is written.
    Result<std::vector<S57Cell>> cells = readCells(cellFiles);
    if (!cells)
        return fail(cells.error().describe());
    const QString name = p.value("name");
    auto box = parseBox(p.value("box"));
    if (!p.isSet("box") && !cells->empty())
        box = cellsBox(*cells);
    if (name.isEmpty() || name.size() > 68 || !box || p.value("out").isEmpty())
        return fail(QStringLiteral("need --name (1-68 characters), --box W/E/S/N (or --s57 cells) and --out"));
    bool levelOk = false;
    const int maxLevel = p.value("max-level").toInt(&levelOk);
    if (!levelOk || maxLevel < 0 || maxLevel > 255)
        return fail(QStringLiteral("--max-level takes a number from 0 to 255, not \"%1\"").arg(p.value("max-level")));
    QElapsedTimer timer;
    timer.start();
    ChartBuilder chart(name.toUpper(), *box);
    chart.setCompilationScale(uint32_t(cellsScale(*cells)));
    QString error;
    if (p.isSet("gshhg")) {
        const QString res = p.value("gshhg");
        if (res.size() != 1 || !QStringLiteral("clihf").contains(res))
            return fail(QStringLiteral("--gshhg takes c, l, i, h or f"));
        if (!addGshhg(chart, *box, res[0], p.value("rivers"), p.isSet("borders"), p.value("cache"), &error))
            return fail(error);
    }
    if (!addFiles(chart, p.values("geojson"), p.values("points"), maxLevel, &error))
        return fail(error);
    if (!s57Files.isEmpty() && !addS57GeoJsonFiles(s57Files, maxLevel, chart, &error))
        return fail(error);
    if (!cells->empty() && !addCells(*cells, maxLevel, chart, &error))
        return fail(error);
    ChartBuilder::Stats stats;
    if (!chart.write(p.value("out"), &stats, &error))
        return fail(error);
    if (p.isSet("preview") && !writePreview(p.value("out"), chart.name(), p.value("preview"), 1200, &error))
        return fail(error);
    std::printf("%s: %lld bytes, %d records, %d points, %d point records, %.1f s\n", qPrintable(chart.name()),
                static_cast<long long>(stats.bytes), stats.records, stats.points, stats.pointRecords,
                timer.elapsed() / 1000.0);
    return 0;
}
