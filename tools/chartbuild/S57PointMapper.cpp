#include "S57PointMapper.h"

#include "GeoLine.h"
#include "S57LightText.h"

#include "chartdata/Cp850.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace kesmar::chartbuild {

namespace {

// Lights, fog signals and racons stand within this many chart units
// (about 4 m) of the mark that carries them.
constexpr int32_t kSamePlace = 2;
constexpr int kMaxText = int(PointRecord::kMaxSize - PointRecord::kOffText - 1);

constexpr int kBands = 0x80, kStripes = 0x40;
constexpr int kLightBit = 0x40;
constexpr int kTypeLight = 40, kTypeMinorLight = 41, kTypeFogSignal = 57;

enum class Kind { Lateral, Cardinal, IsolatedDanger, SafeWater, Special, Other };

struct ClassInfo {
    const char* name;
    bool beacon;
    Kind kind;
};

constexpr ClassInfo kMarkClasses[] = {
    {"BOYLAT", false, Kind::Lateral},  {"BOYCAR", false, Kind::Cardinal}, {"BOYISD", false, Kind::IsolatedDanger},
    {"BOYSAW", false, Kind::SafeWater}, {"BOYSPP", false, Kind::Special}, {"BOYINB", false, Kind::Other},
    {"BCNLAT", true, Kind::Lateral},   {"BCNCAR", true, Kind::Cardinal},  {"BCNISD", true, Kind::IsolatedDanger},
    {"BCNSAW", true, Kind::SafeWater},  {"BCNSPP", true, Kind::Special},
};

// Region A colours (S-57 codes) of marks that do not state their own.
std::vector<int> defaultColours(Kind kind, int category)
{
    switch (kind) {
    case Kind::Lateral:
        switch (category) {
        case 1: return {3};
        case 2: return {4};
        case 3: return {3, 4, 3};
        case 4: return {4, 3, 4};
        default: return {2};
        }
    case Kind::Cardinal:
        switch (category) {
        case 1: return {2, 6};
        case 2: return {2, 6, 2};
        case 3: return {6, 2};
        case 4: return {6, 2, 6};
        default: return {2, 6};
        }
    case Kind::IsolatedDanger: return {2, 3, 2};
    case Kind::SafeWater: return {3, 1};
    case Kind::Special: return {6};
    case Kind::Other: return {2};
    }
    return {2};
}

// BOYSHP 1 conical ... 8 ice buoy to the buoy types 0-6.
int buoyType(std::optional<int> shape, Kind kind, int category)
{
    static constexpr int kTypes[] = {-1, 0, 1, 2, 3, 4, 5, 6, 3};
    if (shape && *shape >= 1 && *shape <= 8)
        return kTypes[*shape];
    if (kind == Kind::Lateral)
        return category == 2 || category == 4 ? 0 : 1;
    return kind == Kind::SafeWater ? 2 : 3;
}

// BCNSHP 1 stake ... 7 buoyant beacon; withies by their side.
int beaconType(std::optional<int> shape, Kind kind, int category)
{
    if (!shape)
        return 8;
    switch (*shape) {
    case 1: return 11;
    case 2:
        if (kind == Kind::Lateral && category == 1)
            return 15;
        return kind == Kind::Lateral && category == 2 ? 16 : 11;
    case 5: return 18;
    default: return 8;
    }
}

int markModifier(Kind kind, int category, int foreground)
{
    switch (kind) {
    case Kind::Cardinal: return category >= 1 && category <= 4 ? category + 1 : 0;
    case Kind::IsolatedDanger: return 1;
    case Kind::SafeWater: return 8;
    case Kind::Special: return foreground == 5 ? 9 : 0;
    default: return 0;
    }
}

int patternBits(std::optional<int> pattern, Kind kind)
{
    if (pattern) {
        switch (*pattern) {
        case 1: case 4: return kBands;
        case 2: case 3: case 5: return kStripes;
        default: return 0;
        }
    }
    return kind == Kind::SafeWater ? kStripes : kBands;
}

QString cleanText(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.isPrint())
            out += c;
    return out.simplified();
}

std::optional<ChartPoint> chartPosition(const S57Object& o)
{
    if (!std::isfinite(o.latitude) || !std::isfinite(o.longitude) || std::abs(o.latitude) > 90.0
        || std::abs(o.longitude) > 180.0)
        return std::nullopt;
    return toChartPoint(GeoPoint{o.longitude, o.latitude});
}

qint64 placeKey(int32_t y, int32_t x) { return (qint64(y) << 32) ^ qint64(uint32_t(x)); }

// Index of records by exact place; near() looks around it.
class PlaceIndex {
public:
    template <typename T>
    explicit PlaceIndex(const std::vector<T>& items)
    {
        for (size_t i = 0; i < items.size(); ++i)
            add(items[i].position, int(i));
    }
    void add(ChartPoint p, int index) { map_.insert(placeKey(p.y, p.x), index); }
    int near(ChartPoint p) const
    {
        for (int32_t dy = -kSamePlace; dy <= kSamePlace; ++dy)
            for (int32_t dx = -kSamePlace; dx <= kSamePlace; ++dx) {
                const auto it = map_.constFind(placeKey(p.y + dy, p.x + dx));
                if (it != map_.cend())
                    return it.value();
            }
        return -1;
    }

private:
    QMultiHash<qint64, int> map_;
};

QString depthText(double metres) { return QString::asprintf("%.1f m", metres); }

} // namespace

int S57PointMapper::colourIndex(int s57Colour)
{
    // white, black, red, green, blue, yellow, grey, brown, amber, violet, orange, magenta, pink
    static constexpr int kIndex[] = {1, 2, 1, 13, 9, 10, 5, 7, 1, 15, 11, 15, 11, 13};
    return s57Colour >= 1 && s57Colour <= 13 ? kIndex[s57Colour] : 1;
}

int S57PointMapper::levelForBand(int band)
{
    // Drawn fully from the zoom of the coarse end of the band's scales, as
    // dots one zoom step before; a symbol grows to its full size within
    // about two zoom steps after it appears, so an approach buoy (band 4,
    // about 1:22 000 to 1:90 000) is drawn fully from about 1:110 000 and
    // at three quarters of its size at 1:50 000.
    static constexpr int kLevels[] = {161, 94, 121, 148, 161, 188, 215};
    return band >= 1 && band <= 6 ? kLevels[band] : kLevels[0];
}

bool S57PointMapper::add(const S57Object& o, QString* why)
{
    const std::optional<ChartPoint> position = chartPosition(o);
    if (!position) {
        if (why)
            *why = QStringLiteral("position outside the world");
        return false;
    }
    const int level = o.level ? *o.level : levelForBand(o.scaleBand);
    if (o.objectClass == QLatin1String("LIGHTS")) {
        lights_.push_back({o, *position, level});
        return true;
    }
    if (o.objectClass == QLatin1String("FOGSIG") || o.objectClass == QLatin1String("RTPBCN")) {
        signals_.push_back({*position, o.objectClass == QLatin1String("FOGSIG") ? 0x10 : 0x20, level});
        return true;
    }
    if (o.objectClass == QLatin1String("WRECKS") || o.objectClass == QLatin1String("OBSTRN")
        || o.objectClass == QLatin1String("UWTROC")) {
        addDanger(o, *position, level);
        return true;
    }
    if (addMark(o, *position, level))
        return true;
    if (why)
        *why = QStringLiteral("object class %1 is not mapped").arg(o.objectClass);
    return false;
}

bool S57PointMapper::addMark(const S57Object& o, ChartPoint position, int level)
{
    Mark m;
    m.position = position;
    m.level = level;
    m.text = cleanText(o.text("OBJNAM"));
    m.name = o.objectClass + QLatin1Char(' ') + m.text;
    if (o.objectClass == QLatin1String("LITFLT") || o.objectClass == QLatin1String("LITVES")) {
        m.type = 7;
        m.foreground = m.background = 13;
        marks_.push_back(m);
        return true;
    }
    const auto info = std::find_if(std::begin(kMarkClasses), std::end(kMarkClasses),
                                   [&](const ClassInfo& c) { return o.objectClass == QLatin1String(c.name); });
    if (info == std::end(kMarkClasses))
        return false;
    const int category = o.number(info->kind == Kind::Cardinal ? "CATCAM" : "CATLAM").value_or(0);
    m.type = info->beacon ? beaconType(o.number("BCNSHP"), info->kind, category)
                          : buoyType(o.number("BOYSHP"), info->kind, category);
    std::vector<int> colours = S57LightText::colours(o.text("COLOUR"));
    if (colours.empty())
        colours = defaultColours(info->kind, category);
    m.foreground = colourIndex(colours[0]);
    m.background = colourIndex(colours.size() > 1 ? colours[1] : colours[0]);
    if (m.foreground != m.background)
        m.typeBits = patternBits(o.number("COLPAT"), info->kind);
    m.modifier = markModifier(info->kind, category, m.foreground);
    marks_.push_back(m);
    return true;
}

void S57PointMapper::addDanger(const S57Object& o, ChartPoint position, int level)
{
    Mark m;
    m.position = position;
    m.level = level;
    m.foreground = m.background = 1;
    const bool wreck = o.objectClass == QLatin1String("WRECKS");
    const int category = o.number(wreck ? "CATWRK" : "CATOBS").value_or(0);
    if (wreck) {
        m.type = category == 4 ? 49 : category == 5 ? 51 : 47;
        if (m.type == 47 && o.text("TECSOU").split(QLatin1Char(',')).contains(QStringLiteral("6")))
            m.type = 48;  // swept by wire drag
    } else {
        const int waterLevel = o.number("WATLEV").value_or(0);
        m.type = waterLevel == 2 || waterLevel == 4 || waterLevel == 5 ? 54 : 53;
    }
    m.text = cleanText(o.text("OBJNAM"));
    m.name = o.objectClass + QLatin1Char(' ') + m.text;
    const std::optional<double> depth = o.real("VALSOU");
    const bool depthInModifier = m.type == 47 || m.type == 48 || m.type == 53 || m.type == 54;
    if (depth && depthInModifier && *depth > 0.0 && *depth <= 25.5) {
        m.modifier = std::clamp(int(std::lround(*depth * 10.0)), 1, 255);
    } else if (depth) {
        // Dries, or deeper than the depth byte holds: the depth goes to the text.
        m.text = (depthText(*depth) + QLatin1Char(' ') + m.text).trimmed();
    }
    marks_.push_back(m);
}

S57PointMapper::Mark S57PointMapper::lightMark(const std::vector<const Light*>& lights)
{
    QStringList characteristics;
    std::vector<int> allColours;
    Mark l;
    l.position = lights.front()->position;
    l.level = 255;
    bool minor = true;
    for (const Light* light : lights) {
        const S57Object& first = light->object;
        l.level = std::min(l.level, light->level);
        minor = minor && first.text("CATLIT").split(QLatin1Char(',')).contains(QStringLiteral("6"));
        const std::vector<int> own = S57LightText::colours(first.text("COLOUR"));
        allColours.insert(allColours.end(), own.begin(), own.end());
        // Sectors with the same rhythm make one characteristic.
        std::vector<int> colours;
        for (const Light* other : lights) {
            const S57Object& o = other->object;
            if (o.text("LITCHR") == first.text("LITCHR") && o.text("SIGGRP") == first.text("SIGGRP")
                && o.text("SIGPER") == first.text("SIGPER")) {
                const std::vector<int> c = S57LightText::colours(o.text("COLOUR"));
                colours.insert(colours.end(), c.begin(), c.end());
            }
        }
        const QString text = S57LightText::characteristic(first, colours);
        if (!text.isEmpty() && !characteristics.contains(text))
            characteristics << text;
    }
    if (allColours.empty())
        allColours.push_back(1);
    l.type = minor ? kTypeMinorLight : kTypeLight;
    l.modifier = kLightBit;
    l.foreground = colourIndex(allColours[0]);
    l.background = colourIndex(allColours.size() > 1 ? allColours[1] : allColours[0]);
    l.light = characteristics.join(QLatin1Char(' '));
    l.name = QStringLiteral("LIGHTS ") + l.light;
    return l;
}

void S57PointMapper::joinLights(std::vector<Mark>& marks) const
{
    // Sectors of one light, and lights above each other, share a place.
    struct Group {
        ChartPoint position;
        std::vector<const Light*> lights;
    };
    std::vector<Group> groups;
    PlaceIndex places(groups);
    for (const Light& l : lights_) {
        const int g = places.near(l.position);
        if (g >= 0) {
            groups[size_t(g)].lights.push_back(&l);
        } else {
            places.add(l.position, int(groups.size()));
            groups.push_back({l.position, {&l}});
        }
    }
    const PlaceIndex markPlaces(marks);
    for (const Group& g : groups) {
        Mark light = lightMark(g.lights);
        const int m = markPlaces.near(g.position);
        if (m < 0) {
            marks.push_back(std::move(light));
            continue;
        }
        // A light on a buoy or beacon: its light bit, its characteristic first in its text.
        marks[size_t(m)].modifier |= kLightBit;
        if (marks[size_t(m)].light.isEmpty())
            marks[size_t(m)].light = light.light;
    }
}

void S57PointMapper::joinSignals(std::vector<Mark>& marks) const
{
    const PlaceIndex places(marks);
    for (const Signal& s : signals_) {
        const int m = places.near(s.position);
        if (m >= 0) {
            marks[size_t(m)].modifier |= s.bit;
        } else if (s.bit == 0x10) {
            Mark f;
            f.type = kTypeFogSignal;
            f.position = s.position;
            f.level = s.level;
            f.name = QStringLiteral("FOGSIG");
            marks.push_back(f);
        }
    }
}

std::vector<S57PointMapper::Entry> S57PointMapper::records() const
{
    std::vector<Mark> marks = marks_;
    joinLights(marks);
    joinSignals(marks);
    std::vector<Entry> out;
    out.reserve(marks.size());
    for (const Mark& m : marks) {
        const QString text = (m.light + QLatin1Char(' ') + m.text).trimmed();
        std::string oem = toCp850(text);
        if (int(oem.size()) > kMaxText)
            oem.resize(size_t(kMaxText));
        const size_t size = oem.empty() ? PointRecord::kMinSize : PointRecord::kOffText + oem.size() + 1;
        const auto record = PointRecord::make(size, uint8_t(m.type | m.typeBits),
                                              uint8_t(m.foreground | m.background << 4), uint8_t(m.modifier),
                                              uint8_t(m.level), m.position,
                                              QByteArray(oem.data(), qsizetype(oem.size())));
        if (record)
            out.push_back({m.name, *record});
    }
    return out;
}

} // namespace kesmar::chartbuild
