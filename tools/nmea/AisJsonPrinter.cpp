#include "AisJsonPrinter.h"

#include <cmath>

namespace kesmar {
namespace {

class JsonObject {
public:
    JsonObject() : text_("{\"class\":\"AIS\"") {}

    void raw(const char* key, const QByteArray& value) { text_ += ",\"" + QByteArray(key) + "\":" + value; }
    void integer(const char* key, qint64 value) { raw(key, QByteArray::number(value)); }
    void flag(const char* key, bool value) { raw(key, value ? "true" : "false"); }
    void fixed(const char* key, double value, int decimals) { raw(key, QByteArray::number(value, 'f', decimals)); }
    void string(const char* key, const QString& value)
    {
        QByteArray quoted = "\"";
        for (const QChar c : value) {
            if (c == u'"' || c == u'\\') quoted += '\\';
            quoted += c.toLatin1();
        }
        raw(key, quoted + '"');
    }
    template <typename T> void integer(const char* key, const std::optional<T>& value)
    {
        if (value) integer(key, qint64(*value));
    }
    void fixed(const char* key, const std::optional<double>& value, int decimals)
    {
        if (value) fixed(key, *value, decimals);
    }
    void string(const char* key, const std::optional<QString>& value)
    {
        if (value) string(key, *value);
    }
    QByteArray finish() { return text_ + '}'; }

private:
    QByteArray text_;
};

void position(JsonObject& o, const AisMessage& m)
{
    o.fixed("lon", m.longitude, 6);
    o.fixed("lat", m.latitude, 6);
}

void dimensions(JsonObject& o, const AisMessage& m)
{
    o.integer("to_bow", m.toBow);
    o.integer("to_stern", m.toStern);
    o.integer("to_port", m.toPort);
    o.integer("to_starboard", m.toStarboard);
}

// gpsd's scaled rate of turn: (ROT / 4.733)^2 degrees a minute with the sign
// kept; +-127 mean "turning faster than 5 degrees in 30 s" without a value.
void turn(JsonObject& o, const AisMessage& m)
{
    if (!m.turn) return;
    if (*m.turn == 127) return o.raw("turn", "\"fastright\"");
    if (*m.turn == -127) return o.raw("turn", "\"fastleft\"");
    const double rate = std::pow(*m.turn / 4.733, 2.0);
    o.raw("turn", QByteArray::number(*m.turn < 0 ? -rate : rate, 'f', 0));
}

void classA(JsonObject& o, const AisMessage& m)
{
    o.integer("status", m.status);
    turn(o, m);
    o.fixed("speed", m.speedKnots, 1);
    o.flag("accuracy", m.accuracy);
    position(o, m);
    o.fixed("course", m.courseDegrees, 1);
    o.integer("heading", m.headingDegrees);
    o.integer("second", m.second);
    o.integer("maneuver", m.maneuver);
    o.flag("raim", m.raim);
}

void baseStation(JsonObject& o, const AisMessage& m)
{
    if (m.year && m.month && m.day && m.hour && m.minute && m.utcSecond)
        o.string("timestamp", QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", *m.year, *m.month, *m.day, *m.hour,
                                                *m.minute, *m.utcSecond));
    o.flag("accuracy", m.accuracy);
    position(o, m);
    o.integer("epfd", m.epfd);
    o.flag("raim", m.raim);
    o.integer("radio", m.radio);
}

void staticData(JsonObject& o, const AisMessage& m)
{
    o.integer("imo", m.imo);
    o.integer("ais_version", m.aisVersion);
    o.string("callsign", m.callsign);
    o.string("shipname", m.shipname);
    o.integer("shiptype", m.shiptype);
    dimensions(o, m);
    o.integer("epfd", m.epfd);
    if (m.etaMonth && m.etaDay && m.etaHour && m.etaMinute)
        o.string("eta", QString::asprintf("%02d-%02dT%02d:%02dZ", *m.etaMonth, *m.etaDay, *m.etaHour, *m.etaMinute));
    o.fixed("draught", m.draughtMeters, 1);
    o.string("destination", m.destination);
    if (m.dte) o.integer("dte", *m.dte ? 1 : 0);
}

void classBPosition(JsonObject& o, const AisMessage& m)
{
    o.integer("reserved", m.reserved);
    o.fixed("speed", m.speedKnots, 1);
    o.flag("accuracy", m.accuracy);
    position(o, m);
    o.fixed("course", m.courseDegrees, 1);
    o.integer("heading", m.headingDegrees);
    o.integer("second", m.second);
    o.integer("regional", m.regional);
}

void classB(JsonObject& o, const AisMessage& m)
{
    classBPosition(o, m);
    o.flag("cs", m.cs);
    o.flag("display", m.display);
    o.flag("dsc", m.dsc);
    o.flag("band", m.band);
    o.flag("msg22", m.msg22);
    o.flag("raim", m.raim);
    o.integer("radio", m.radio);
}

void classBExtended(JsonObject& o, const AisMessage& m)
{
    classBPosition(o, m);
    o.string("shipname", m.shipname);
    o.integer("shiptype", m.shiptype);
    dimensions(o, m);
    o.integer("epfd", m.epfd);
    o.flag("raim", m.raim);
    if (m.dte) o.integer("dte", *m.dte ? 1 : 0);
    o.flag("assigned", m.assigned);
}

void aid(JsonObject& o, const AisMessage& m)
{
    o.integer("aid_type", m.aidType);
    o.string("name", m.shipname);
    position(o, m);
    o.flag("accuracy", m.accuracy);
    dimensions(o, m);
    o.integer("epfd", m.epfd);
    o.integer("second", m.second);
    o.integer("regional", m.regional);
    o.flag("off_position", m.offPosition);
    o.flag("raim", m.raim);
    o.flag("virtual_aid", m.virtualAid);
}

void staticB(JsonObject& o, const AisMessage& m)
{
    o.integer("part", m.partNumber);
    if (m.partNumber == 0) return o.string("shipname", m.shipname);
    o.integer("shiptype", m.shiptype);
    o.string("callsign", m.callsign);
    o.integer("mothership_mmsi", m.mothershipMmsi);
    dimensions(o, m);
}

} // namespace

QByteArray AisJsonPrinter::json(const AisMessage& m)
{
    JsonObject o;
    o.integer("type", m.type);
    o.integer("repeat", m.repeat);
    o.integer("mmsi", m.mmsi);
    o.flag("scaled", true);
    switch (m.type) {
    case 1: case 2: case 3:
        classA(o, m);
        o.integer("radio", m.radio);
        break;
    case 4: baseStation(o, m); break;
    case 5: staticData(o, m); break;
    case 18: classB(o, m); break;
    case 19: classBExtended(o, m); break;
    case 21: aid(o, m); break;
    case 24: staticB(o, m); break;
    }
    return o.finish();
}

} // namespace kesmar
