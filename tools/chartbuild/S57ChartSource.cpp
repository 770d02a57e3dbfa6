#include "S57ChartSource.h"

#include "ChartBuilder.h"

#include "chartdata/LineIndexEntry.h"

#include <algorithm>
#include <cmath>

namespace kesmar::chartbuild {

namespace {

constexpr int kLayerTidal = 3, kLayerLand = 4, kLayerLake = 5, kLayerCity = 6, kLayerRiver = 7,
              kLayerLimits = 8, kLayerBorders = 9;
constexpr uint8_t kLand = 14;
constexpr uint8_t kCity = 7;  // brown, hatched with its outline
constexpr uint8_t kCityFill = LineIndexEntry::kFillHatch | LineIndexEntry::kFillOutline;
constexpr uint8_t kLimits = 0x20 | 15;   // dotted magenta
constexpr uint8_t kBorders = 0x10 | 11;  // dash-dot-dot violet, as the GSHHG borders
constexpr uint8_t kBlack = 1;
constexpr uint8_t kTextCentred = 0x40;
constexpr double kScreenMetresPerPixel = 0.0254 / 96.0;

struct ClassTarget {
    const char* objectClass;
    const char* becomes;
};

constexpr ClassTarget kTargets[] = {
    {"LNDARE", "land areas and lines (layer 4)"},
    {"COALNE", "coast lines (layer 4)"},
    {"DEPCNT", "depth contours: 10 m, 5 m, 2 m layers (0-2) by VALDCO"},
    {"DEPARE", "tidal flats (layer 3) where drying (DRVAL1 < 0)"},
    {"SOUNDG", "soundings (type 62; deeper than 25.5 m or drying: texts)"},
    {"LAKARE", "lakes (layer 5)"},
    {"BUAARE", "built-up areas (layer 6)"},
    {"RIVERS", "rivers (layer 7)"},
    {"CANALS", "rivers (layer 7)"},
    {"TESARE", "maritime limits (layer 8)"},
    {"EXEZNE", "maritime limits (layer 8)"},
    {"CONZNE", "maritime limits (layer 8)"},
    {"COSARE", "maritime limits (layer 8)"},
    {"ADMARE", "borders (layer 9)"},
    {"BOYLAT", "buoy"}, {"BOYCAR", "buoy"}, {"BOYISD", "buoy"}, {"BOYSAW", "buoy"}, {"BOYSPP", "buoy"},
    {"BOYINB", "buoy"}, {"BCNLAT", "beacon"}, {"BCNCAR", "beacon"}, {"BCNISD", "beacon"},
    {"BCNSAW", "beacon"}, {"BCNSPP", "beacon"}, {"LITFLT", "light float"}, {"LITVES", "light vessel"},
    {"LIGHTS", "light, or the light of its buoy or beacon"},
    {"FOGSIG", "fog signal, or the fog bit of its mark"},
    {"RTPBCN", "radar bit of its mark"},
    {"WRECKS", "wreck"}, {"OBSTRN", "obstruction"}, {"UWTROC", "rock"},
};

bool isPointClass(const QString& cls)
{
    static const QStringList kLineClasses{"LNDARE", "COALNE", "DEPCNT", "DEPARE", "SOUNDG", "LAKARE", "BUAARE",
                                          "RIVERS", "CANALS", "TESARE", "EXEZNE", "CONZNE", "COSARE", "ADMARE"};
    return !kLineClasses.contains(cls) && !S57ChartSource::target(cls).isEmpty();
}

QString featureName(const S57Feature& f)
{
    const QString name = f.object.text("OBJNAM");
    return name.isEmpty() ? f.object.objectClass : f.object.objectClass + QLatin1Char(' ') + name;
}

} // namespace

QString S57ChartSource::target(const QString& objectClass)
{
    for (const ClassTarget& t : kTargets)
        if (objectClass == QLatin1String(t.objectClass))
            return QString::fromLatin1(t.becomes);
    return {};
}

int S57ChartSource::contourLayer(double metres)
{
    if (metres >= 10.0)
        return 0;
    return metres >= 5.0 ? 1 : 2;
}

int S57ChartSource::levelForScale(int denominator)
{
    // The view's zoom level n at that scale, and the level drawn fully there.
    const double minutesPerPixel = denominator * kScreenMetresPerPixel / 1852.0;
    double v = 16.0;
    int n = 1;
    while (v >= minutesPerPixel && n < 20) {
        v *= 0.5;
        ++n;
    }
    return std::min(255, int((n + 1) * 13.47));
}

int S57ChartSource::level(const S57Object& o)
{
    const int band = S57PointMapper::levelForBand(o.scaleBand);
    const std::optional<int> scamin = o.number("SCAMIN");
    return scamin && *scamin > 0 ? std::max(band, levelForScale(*scamin)) : band;
}

std::optional<PointRecord> S57ChartSource::sounding(double metres, ChartPoint position, int level)
{
    // Soundings are cut, never rounded up: the chart must not promise water.
    const int decimetres = int(std::floor(metres * 10.0 + 1e-6));
    if (decimetres >= 0 && decimetres <= 255)
        return PointRecord::make(PointRecord::kMinSize, PointRecord::kTypeSounding, kBlack | kBlack << 4,
                                 uint8_t(decimetres), uint8_t(level), position);
    const QByteArray text = metres > 0 ? QByteArray::number(int(std::floor(metres)))
                                       : "-" + QByteArray::number(-decimetres / 10.0, 'f', 1);
    return PointRecord::make(PointRecord::kOffText + size_t(text.size()) + 1, PointRecord::kTypeText,
                             kTextCentred | kBlack, 0, uint8_t(level), position, text);
}

bool S57ChartSource::addShape(const S57Feature& f, int layer, uint8_t attribute, uint8_t fill, bool areasOnly,
                              ChartBuilder& chart, QString* error)
{
    const bool area = f.shape == S57Feature::Shape::Area;
    if ((areasOnly && !area) || f.parts.empty())
        return true;
    const QString name = featureName(f);
    for (const auto& part : f.parts) {
        if (part.size() < (area ? 3u : 2u))
            continue;
        const bool ok = area ? chart.addArea(layer, part, attribute, fill, name, error)
                             : chart.addLine(layer, part, attribute, fill, name, error);
        if (!ok)
            return false;
    }
    ++mapped_[f.object.objectClass];
    return true;
}

bool S57ChartSource::addObject(const S57Feature& f, ChartBuilder& chart, QString* error)
{
    const S57Object& o = f.object;
    const QString& cls = o.objectClass;
    if (cls == QLatin1String("LNDARE") || cls == QLatin1String("COALNE"))
        return addShape(f, kLayerLand, kLand, 0, false, chart, error);
    if (cls == QLatin1String("DEPCNT")) {
        // No VALDCO: the depth is unknown, so the shallowest line.
        return addShape(f, contourLayer(o.real("VALDCO").value_or(0.0)), 0, 0, false, chart, error);
    }
    if (cls == QLatin1String("DEPARE")) {
        const std::optional<double> from = o.real("DRVAL1");
        return from && *from < 0.0 ? addShape(f, kLayerTidal, 12, 0, true, chart, error) : true;
    }
    if (cls == QLatin1String("LAKARE"))
        return addShape(f, kLayerLake, 6, 0, true, chart, error);
    if (cls == QLatin1String("BUAARE"))
        return addShape(f, kLayerCity, kCity, kCityFill, false, chart, error);
    if (cls == QLatin1String("RIVERS") || cls == QLatin1String("CANALS"))
        return addShape(f, kLayerRiver, 6, 0, false, chart, error);
    if (target(cls).startsWith(QLatin1String("maritime")))
        return addShape(f, kLayerLimits, kLimits, 0, false, chart, error);
    if (cls == QLatin1String("ADMARE"))
        return addShape(f, kLayerBorders, kBorders, 0, false, chart, error);
    if (cls == QLatin1String("SOUNDG")) {
        const std::optional<double> depth = o.real("DEPTH");
        const auto record = depth && f.shape == S57Feature::Shape::Point
                                ? sounding(*depth, toChartPoint({o.longitude, o.latitude}), level(o))
                                : std::nullopt;
        if (record) {
            soundings_.push_back(*record);
            ++mapped_[cls];
        }
        return true;
    }
    if (isPointClass(cls) && f.shape != S57Feature::Shape::None) {
        S57Object withLevel = o;
        withLevel.level = level(o);
        if (points_.add(withLevel))
            ++mapped_[cls];
    }
    return true;
}

bool S57ChartSource::add(const S57Cell& cell, ChartBuilder& chart, QString* error)
{
    for (const S57Feature& f : cell.features)
        if (!addObject(f, chart, error)) {
            if (error)
                *error = cell.path + QStringLiteral(": ") + *error;
            return false;
        }
    return true;
}

bool S57ChartSource::finish(ChartBuilder& chart, int maxLevel, QString* error)
{
    for (const PointRecord& s : soundings_)
        if (s.level() <= maxLevel && !chart.addPoint(s, QStringLiteral("SOUNDG"), error))
            return false;
    for (const S57PointMapper::Entry& e : points_.records())
        if (e.record.level() <= maxLevel && !chart.addPoint(e.record, e.name, error))
            return false;
    return true;
}

} // namespace kesmar::chartbuild
