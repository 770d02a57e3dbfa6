#include "nmea/GpxFile.h"

#include "core/FileUtil.h"

#include <QDateTime>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace kesmar {
namespace {

const QString kNamespace = QStringLiteral("http://www.topografix.com/GPX/1/1");

// writeFileAtomically reports either a reason text or a Status.
[[maybe_unused]] Status asStatus(Status status, const QString&) { return status; }
[[maybe_unused]] Status asStatus(const QString& reason, const QString& path)
{
    if (reason.isEmpty()) return {};
    return Error::inFile(path, reason);
}

void startDocument(QXmlStreamWriter& xml)
{
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(kNamespace);
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Kesmar"));
}

void writePoint(QXmlStreamWriter& xml, const QString& element, double latitude, double longitude,
                std::optional<int64_t> utcMs)
{
    xml.writeStartElement(element);
    // Nine decimals of a degree are far below a millimetre.
    xml.writeAttribute(QStringLiteral("lat"), QString::number(latitude, 'f', 9));
    xml.writeAttribute(QStringLiteral("lon"), QString::number(longitude, 'f', 9));
    if (utcMs)
        xml.writeTextElement(QStringLiteral("time"),
                             QDateTime::fromMSecsSinceEpoch(*utcMs, Qt::UTC).toString(Qt::ISODateWithMs));
    xml.writeEndElement();
}

std::optional<double> coordinate(const QXmlStreamAttributes& attributes, const QString& name, double limit)
{
    bool ok = false;
    const double v = attributes.value(name).toDouble(&ok);
    if (!ok || v < -limit || v > limit) return std::nullopt;
    return v;
}

struct Collected {
    std::vector<GpxFile::Point> route;
    std::vector<GpxFile::Point> track;
    bool inRoute = false, inTrack = false;
    bool routeDone = false, trackDone = false;
};

// Reads one rtept/trkpt with its time; the reader stands on its start.
std::optional<QString> readPoint(QXmlStreamReader& xml, GpxFile::Point& point)
{
    const QXmlStreamAttributes a = xml.attributes();
    const std::optional<double> lat = coordinate(a, QStringLiteral("lat"), 90.0);
    const std::optional<double> lon = coordinate(a, QStringLiteral("lon"), 180.0);
    if (!lat || !lon) return QStringLiteral("Punkt ohne gültige Position (lat/lon)");
    point = GpxFile::Point{*lat, *lon, std::nullopt};
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("time")) {
            const QDateTime t = QDateTime::fromString(xml.readElementText(), Qt::ISODateWithMs);
            if (t.isValid()) point.utcMs = t.toMSecsSinceEpoch();
        } else {
            xml.skipCurrentElement();
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray GpxFile::routeDocument(std::span<const Point> points, const QString& name)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("rte"));
    xml.writeTextElement(QStringLiteral("name"), name);
    for (const Point& p : points) writePoint(xml, QStringLiteral("rtept"), p.latitude, p.longitude, p.utcMs);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray GpxFile::trackDocument(std::span<const OwnTrack::Point> points, const QString& name)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("trk"));
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeStartElement(QStringLiteral("trkseg"));
    for (const OwnTrack::Point& p : points) writePoint(xml, QStringLiteral("trkpt"), p.latitude, p.longitude, p.utcMs);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

Status GpxFile::save(const QString& path, const QByteArray& document)
{
    return asStatus(writeFileAtomically(path, document), path);
}

Result<std::vector<GpxFile::Point>> GpxFile::load(const QString& path)
{
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes) return Error::inFile(path, QStringLiteral("Datei nicht lesbar"));
    return parse(*bytes, path);
}

Result<std::vector<GpxFile::Point>> GpxFile::parse(const QByteArray& bytes, const QString& fileName)
{
    QXmlStreamReader xml(bytes);
    Collected c;
    bool sawGpx = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.name();
            if (!sawGpx) {
                if (name != QLatin1String("gpx"))
                    return Error::atLine(fileName, int(xml.lineNumber()), QStringLiteral("keine GPX-Datei"));
                sawGpx = true;
            } else if (name == QLatin1String("rte")) {
                c.inRoute = !c.routeDone;
            } else if (name == QLatin1String("trk")) {
                c.inTrack = !c.trackDone;
            } else if ((name == QLatin1String("rtept") && c.inRoute) || (name == QLatin1String("trkpt") && c.inTrack)) {
                Point p;
                const int line = int(xml.lineNumber());
                if (const std::optional<QString> fault = readPoint(xml, p)) return Error::atLine(fileName, line, *fault);
                (name == QLatin1String("rtept") ? c.route : c.track).push_back(p);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == QLatin1String("rte") && c.inRoute) {
                c.inRoute = false;
                c.routeDone = true;
            }
            if (xml.name() == QLatin1String("trk") && c.inTrack) {
                c.inTrack = false;
                c.trackDone = true;
            }
        }
    }
    if (xml.hasError())
        return Error::atLine(fileName, int(xml.lineNumber()), xml.errorString());
    if (!sawGpx) return Error::inFile(fileName, QStringLiteral("keine GPX-Datei"));
    if (!c.route.empty()) return std::move(c.route);
    if (!c.track.empty()) return std::move(c.track);
    return Error::inFile(fileName, QStringLiteral("keine Route und kein Track"));
}

} // namespace kesmar
