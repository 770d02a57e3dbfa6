#pragma once
#include "S57Cell.h"
#include "S57PointMapper.h"

#include "chartdata/PointRecord.h"

#include <QMap>
#include <QString>

#include <optional>

namespace kesmar::chartbuild {

class ChartBuilder;

// Maps the objects of ENC cells to a chart:
//   LNDARE, COALNE    land areas and coast lines (layer 4)
//   DEPCNT            depth contours by VALDCO to the nearest layer at or
//                     above them, i.e. not deeper: 10 m and deeper to the
//                     10 m layer, 5 to 10 m to the 5 m layer, shallower to
//                     the 2 m layer (a 5.4 m contour is drawn as the 5 m line,
//                     never a 3.6 m one), so a line never promises more water
//   DEPARE            drying areas (DRVAL1 < 0) to the tidal flats (layer 3)
//   LAKARE            lakes (5); BUAARE built-up areas (6); RIVERS, CANALS (7)
//   TESARE, EXEZNE, CONZNE, COSARE   maritime limits (8); ADMARE borders (9)
//   SOUNDG            soundings in decimetres; depths over 25.5 m and drying
//                     heights do not fit the depth byte and become chart
//                     texts of the depth ("27", "-0.4")
//   buoys, beacons, lights, fog signals, racons, wrecks, obstructions and
//   rocks through S57PointMapper, as the GeoJSON import does.
// Each point's level comes from its cell's compilation scale (usage band)
// and, finer still, from its SCAMIN. Feed all cells, then finish().
class S57ChartSource {
public:
    // Adds the cell's lines and areas to `chart`, keeps its points.
    bool add(const S57Cell& cell, ChartBuilder& chart, QString* error);
    // Adds the points of all cells whose level is at most `maxLevel`.
    bool finish(ChartBuilder& chart, int maxLevel, QString* error);

    // Objects per class that were mapped (so far).
    const QMap<QString, int>& mapped() const { return mapped_; }

    // What a class becomes, for listings ("" when it is left out).
    static QString target(const QString& objectClass);
    // The line layer of a depth contour of `metres`.
    static int contourLayer(double metres);
    // Level of an object: its band's level, or SCAMIN's when that is finer.
    static int level(const S57Object& o);
    // Level at which a point shows fully from a scale of 1:`denominator` on.
    static int levelForScale(int denominator);
    // The point record of a sounding.
    static std::optional<PointRecord> sounding(double metres, ChartPoint position, int level);

private:
    bool addShape(const S57Feature& f, int layer, uint8_t attribute, uint8_t fill, bool areasOnly,
                  ChartBuilder& chart, QString* error);
    bool addObject(const S57Feature& f, ChartBuilder& chart, QString* error);

    S57PointMapper points_;
    std::vector<PointRecord> soundings_;
    QMap<QString, int> mapped_;
};

} // namespace kesmar::chartbuild
