#include "GeoJsonSource.h"

#include "ChartBuilder.h"

#include <nlohmann/json.hpp>

namespace kesmar::chartbuild {

namespace {

using nlohmann::json;

struct Target {
    int layer = -1;
    uint8_t attribute = 0;
    uint8_t fill = 0;
};

std::vector<GeoPoint> readPositions(const json& coords)
{
    std::vector<GeoPoint> points;
    if (!coords.is_array())
        throw std::runtime_error("coordinates are not an array");
    for (const json& c : coords) {
        if (!c.is_array() || c.size() < 2 || !c[0].is_number() || !c[1].is_number())
            throw std::runtime_error("a position is not [lon, lat]");
        points.push_back({c[0].get<double>(), c[1].get<double>()});
    }
    return points;
}

int intProperty(const json& props, const char* key, int fallback, int lo, int hi)
{
    if (!props.contains(key))
        return fallback;
    const json& v = props[key];
    if (!v.is_number_integer() || v.get<int>() < lo || v.get<int>() > hi)
        throw std::runtime_error(std::string("property \"") + key + "\" must be an integer "
                                 + std::to_string(lo) + "-" + std::to_string(hi));
    return v.get<int>();
}

bool addPolygon(const json& rings, const Target& t, ChartBuilder& b, const QString& name, QString* error)
{
    if (!rings.is_array() || rings.empty())
        throw std::runtime_error("empty geometry");
    if (rings.size() > 1)
        throw std::runtime_error("polygon holes cannot be drawn");
    return b.addArea(t.layer, readPositions(rings[0]), t.attribute, t.fill, name, error);
}

bool addGeometry(const json& g, const Target& t, ChartBuilder& b, const QString& name, QString* error)
{
    if (!g.is_object() || !g.contains("type") || !g.contains("coordinates"))
        throw std::runtime_error("empty geometry");
    const std::string type = g["type"].get<std::string>();
    const json& c = g["coordinates"];
    if (type == "LineString")
        return b.addLine(t.layer, readPositions(c), t.attribute, t.fill, name, error);
    if (type == "MultiLineString") {
        if (!c.is_array() || c.empty())
            throw std::runtime_error("empty geometry");
        for (const json& line : c)
            if (!b.addLine(t.layer, readPositions(line), t.attribute, t.fill, name, error))
                return false;
        return true;
    }
    if (type == "Polygon")
        return addPolygon(c, t, b, name, error);
    if (type == "MultiPolygon") {
        if (!c.is_array() || c.empty())
            throw std::runtime_error("empty geometry");
        for (const json& poly : c)
            if (!addPolygon(poly, t, b, name, error))
                return false;
        return true;
    }
    throw std::runtime_error("geometry type " + type + " is not supported");
}

} // namespace

bool addGeoJson(const QByteArray& text, const QString& fileName, ChartBuilder& builder,
                QString* error, int* featureCount)
{
    json doc = json::parse(text.constData(), text.constData() + text.size(), nullptr, false);
    if (doc.is_discarded() || !doc.is_object() || !doc.contains("features") || !doc["features"].is_array()) {
        if (error)
            *error = QStringLiteral("%1: not a GeoJSON FeatureCollection").arg(fileName);
        return false;
    }
    int index = 0;
    for (const json& f : doc["features"]) {
        QString name = QStringLiteral("%1: feature %2").arg(fileName).arg(index);
        try {
            const json props = f.contains("properties") && f["properties"].is_object() ? f["properties"] : json::object();
            if (props.contains("name") && props["name"].is_string())
                name += QStringLiteral(" (%1)").arg(QString::fromStdString(props["name"].get<std::string>()));
            Target t;
            t.layer = intProperty(props, "layer", -1, 0, 9);
            if (t.layer < 0)
                throw std::runtime_error("property \"layer\" is missing");
            t.attribute = uint8_t(intProperty(props, "colour", 0, 0, 15) | intProperty(props, "style", 0, 0, 3) << 4);
            t.fill = uint8_t(intProperty(props, "fill", 0, 0, 255));
            if (!f.contains("geometry"))
                throw std::runtime_error("empty geometry");
            if (!addGeometry(f["geometry"], t, builder, name, error))
                return false;
        } catch (const std::exception& e) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(name, QString::fromUtf8(e.what()));
            return false;
        }
        ++index;
    }
    if (featureCount)
        *featureCount = index;
    return true;
}

} // namespace kesmar::chartbuild
