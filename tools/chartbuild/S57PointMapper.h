#pragma once
#include "S57Object.h"

#include "chartdata/PointRecord.h"

#include <QString>

#include <vector>

namespace kesmar::chartbuild {

// Turns S-57 point objects (aids to navigation, lights, wrecks,
// obstructions) into buoyage point records, as sailors know them in IALA
// region A:
//   BOYxxx / BCNxxx   shape and category to the object type (conical buoy,
//                     can, pillar, spar, beacon, perch, withy, ...), colours
//                     from COLOUR/COLPAT or the region A defaults, cardinal
//                     topmarks from CATCAM, safe water, isolated danger and
//                     special marks from their classes, OBJNAM as text
//   LIGHTS            to the light bit and the text of the buoy or beacon at
//                     the same place, else to a light (type 40); sectors of
//                     one light are joined ("Oc.WRG.6s")
//   FOGSIG / RTPBCN   to the fog and radar bits of what stands there
//   WRECKS / OBSTRN / UWTROC   wrecks, obstructions and rocks with their
//                     depth (VALSOU)
// The level of each point follows the usage band of its source cell, or
// the object's own level when the source gives one. Any
// other class, and objects with an unusable position, are left out.
//
// Feed every object with add(), then take records(): lights and signals are
// joined to their marks only once all objects are known.
class S57PointMapper {
public:
    struct Entry {
        QString name;  // for messages: class and OBJNAM
        PointRecord record;
    };

    // false (object left out) with the reason in `why` when set.
    bool add(const S57Object& object, QString* why = nullptr);
    std::vector<Entry> records() const;

    // Colour index of the chart colour table for an S-57 colour code.
    static int colourIndex(int s57Colour);
    // Level byte of a usage band (1 overview ... 6 berthing).
    static int levelForBand(int band);

private:
    struct Mark {
        QString name;
        int type = 0;
        int typeBits = 0;   // 0x80 bands, 0x40 stripes
        int foreground = 1;
        int background = 1;
        int modifier = 0;
        int level = 0;
        ChartPoint position;
        QString text;
        QString light;      // characteristic of a light standing on it
    };
    struct Light {
        S57Object object;
        ChartPoint position;
        int level = 0;
    };
    struct Signal {
        ChartPoint position;
        int bit = 0;  // 0x10 fog signal, 0x20 radar beacon
        int level = 0;
    };

    bool addMark(const S57Object& o, ChartPoint position, int level);
    void addDanger(const S57Object& o, ChartPoint position, int level);
    // The light (type 40, or 41 for air obstruction lights) of the lights
    // standing at one place.
    static Mark lightMark(const std::vector<const Light*>& lights);
    void joinLights(std::vector<Mark>& marks) const;
    void joinSignals(std::vector<Mark>& marks) const;

    std::vector<Mark> marks_;
    std::vector<Light> lights_;
    std::vector<Signal> signals_;
};

} // namespace kesmar::chartbuild
