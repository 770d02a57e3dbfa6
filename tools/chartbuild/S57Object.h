#pragma once
#include <QHash>
#include <QString>

#include <optional>

namespace kesmar::chartbuild {

// One point object of an S-57 class as any source delivers it (GeoJSON
// exports, an ENC cell read through GDAL): the class acronym, the attribute
// values as text ("3", "4,3,4" for lists, "(2)" for a signal group, "10.5")
// and the position in degrees, WGS 84.
struct S57Object {
    QString objectClass;                 // "BOYLAT", "LIGHTS", "WRECKS", ...
    QHash<QString, QString> attributes;  // "COLOUR" -> "3,4,3"
    double latitude = 0.0;
    double longitude = 0.0;
    // Usage band of the cell the object came from: 1 overview ... 6 berthing;
    // 0 when unknown.
    int scaleBand = 0;
    // Level of the point when the source knows it better than the band
    // does (an ENC cell's SCAMIN).
    std::optional<int> level;

    QString text(const char* acronym) const { return attributes.value(QLatin1String(acronym)); }
    // An integer attribute; nullopt when missing or not a number.
    std::optional<int> number(const char* acronym) const
    {
        bool ok = false;
        const double v = text(acronym).toDouble(&ok);
        if (!ok || !(v > -1e9 && v < 1e9))
            return std::nullopt;
        return int(v);
    }
    std::optional<double> real(const char* acronym) const
    {
        bool ok = false;
        const double v = text(acronym).toDouble(&ok);
        if (!ok || !(v > -1e9 && v < 1e9))
            return std::nullopt;
        return v;
    }
};

} // namespace kesmar::chartbuild
