#include "S57GeoJsonSource.h"

#include "ChartBuilder.h"
#include "S57PointMapper.h"

#include "core/FileUtil.h"

#include <QFileInfo>
#include <QHash>

#include <nlohmann/json.hpp>

namespace kesmar::chartbuild {

namespace {

using nlohmann::json;

// Attribute values as text: numbers without a needless ".0", lists joined by ','.
QString valueText(const json& v)
{
    if (v.is_string())
        return QString::fromStdString(v.get<std::string>());
    if (v.is_number_integer())
        return QString::number(v.get<long long>());
    if (v.is_number_float())
        return QString::number(v.get<double>(), 'g', 12);
    if (v.is_boolean())
        return v.get<bool>() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.is_array()) {
        QStringList parts;
        for (const json& e : v)
            if (!e.is_array() && !e.is_object())
                parts << valueText(e);
        return parts.join(QLatin1Char(','));
    }
    return {};
}

bool readPoint(const json& geometry, S57Object& o)
{
    if (!geometry.is_object() || !geometry.contains("type") || geometry["type"] != "Point")
        return false;
    const json& c = geometry.value("coordinates", json());
    if (!c.is_array() || c.size() < 2 || !c[0].is_number() || !c[1].is_number())
        return false;
    o.longitude = c[0].get<double>();
    o.latitude = c[1].get<double>();
    return true;
}

std::optional<S57Object> readFeature(const json& f, const QString& fileClass, QString* identity)
{
    S57Object o;
    if (!f.is_object() || !readPoint(f.value("geometry", json()), o))
        return std::nullopt;
    const json& props = f.value("properties", json::object());
    o.objectClass = fileClass;
    if (props.is_object()) {
        for (auto it = props.begin(); it != props.end(); ++it) {
            const QString key = QString::fromStdString(it.key());
            const QString value = valueText(it.value());
            if (key == QLatin1String("layer") && !value.isEmpty())
                o.objectClass = value.toUpper();
            else if (key == QLatin1String("uband"))
                o.scaleBand = value.toInt();
            else if (key.compare(QLatin1String("lnam"), Qt::CaseInsensitive) == 0)
                *identity = value;
            else if (!value.isEmpty())
                o.attributes.insert(key, value);
        }
    }
    return o;
}

} // namespace

std::optional<std::vector<S57Object>> readS57GeoJson(const QByteArray& text, const QString& fileName,
                                                     QString* error)
{
    const json doc = json::parse(text.constData(), text.constData() + text.size(), nullptr, false);
    if (doc.is_discarded() || !doc.is_object() || !doc.contains("features") || !doc["features"].is_array()) {
        *error = QStringLiteral("%1: not a GeoJSON FeatureCollection").arg(fileName);
        return std::nullopt;
    }
    const QString fileClass = QFileInfo(fileName).baseName().toUpper();
    std::vector<S57Object> objects;
    QHash<QString, size_t> byIdentity;
    for (const json& f : doc["features"]) {
        QString identity;
        std::optional<S57Object> o = readFeature(f, fileClass, &identity);
        if (!o)
            continue;
        if (identity.isEmpty()) {
            objects.push_back(std::move(*o));
            continue;
        }
        const auto seen = byIdentity.constFind(identity);
        if (seen == byIdentity.cend()) {
            byIdentity.insert(identity, objects.size());
            objects.push_back(std::move(*o));
        } else if (o->scaleBand > 0 && (objects[*seen].scaleBand <= 0 || o->scaleBand < objects[*seen].scaleBand)) {
            objects[*seen] = std::move(*o);
        }
    }
    return objects;
}

bool addS57GeoJsonFiles(const QStringList& files, int maxLevel, ChartBuilder& chart, QString* error,
                        int* pointCount)
{
    S57PointMapper mapper;
    for (const QString& file : files) {
        const auto text = readWholeFile(file);
        if (!text) {
            *error = QStringLiteral("cannot read %1").arg(file);
            return false;
        }
        const auto objects = readS57GeoJson(*text, file, error);
        if (!objects)
            return false;
        for (const S57Object& o : *objects)
            mapper.add(o);  // classes without a point symbol are left out
    }
    int added = 0;
    for (const S57PointMapper::Entry& e : mapper.records()) {
        if (e.record.level() > maxLevel)
            continue;
        if (!chart.addPoint(e.record, e.name, error))
            return false;
        ++added;
    }
    if (pointCount)
        *pointCount = added;
    return true;
}

} // namespace kesmar::chartbuild
