#include "nmea/AisTargetText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kesmar {
namespace {

QString angleText(const char* format, double degrees, char positive, char negative)
{
    // Rounded to the shown thousandths first: 59.9996' reads as the next degree, not as 60.000'.
    const double minutes = std::round(std::fabs(degrees) * 60000.0) / 1000.0;
    const int whole = int(minutes) / 60;
    return QString::asprintf(format, whole, minutes - 60.0 * whole, degrees >= 0 ? positive : negative);
}

// German decimal comma.
QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// Labels right-aligned in a field of twelve, as the point descriptions have
// them, so that one tab stop lines the values up.
void line(QStringList& out, const char* label, const QString& value)
{
    out << (QString::fromUtf8(label) + QLatin1Char(':')).rightJustified(12) + QLatin1Char('\t') + value;
}

QString kindName(AisTarget::Kind kind)
{
    switch (kind) {
    case AisTarget::Kind::ClassA: return QStringLiteral("AIS Klasse A");
    case AisTarget::Kind::ClassB: return QStringLiteral("AIS Klasse B");
    case AisTarget::Kind::BaseStation: return QStringLiteral("AIS Basisstation");
    case AisTarget::Kind::AidToNavigation: return QStringLiteral("AIS Navigationshilfe");
    }
    return {};
}

void describeShip(QStringList& out, const AisTarget& t)
{
    if (t.shiptype) line(out, "TYP", AisTargetText::shipTypeName(*t.shiptype));
    const auto length = t.lengthMeters();
    const auto beam = t.beamMeters();
    if (length && beam)
        line(out, "MASSE", QStringLiteral("%1 m x %2 m").arg(*length).arg(*beam));
    else if (length)
        line(out, "LÄNGE", QStringLiteral("%1 m").arg(*length));
    if (t.draughtMeters) line(out, "TIEFGANG", number(*t.draughtMeters, 1) + QStringLiteral(" m"));
    if (t.destination) line(out, "ZIEL", *t.destination);
    if (t.status) line(out, "STATUS", AisTargetText::statusName(*t.status));
    if (t.speedKnots) line(out, "FAHRT", number(*t.speedKnots, 1) + QStringLiteral(" kn"));
    if (t.courseDegrees) line(out, "KURS", number(*t.courseDegrees, 1) + QStringLiteral("°"));
    if (t.headingDegrees) line(out, "STEUERKURS", QStringLiteral("%1°").arg(*t.headingDegrees));
}

} // namespace

QString AisTargetText::latitudeText(double degrees)
{
    return angleText("%2d°%06.3f%c", degrees, 'N', 'S');
}

QString AisTargetText::longitudeText(double degrees)
{
    return angleText("%3d°%06.3f%c", degrees, 'E', 'W');
}

QString AisTargetText::shipTypeName(int type)
{
    static const char* const kSpecial[] = {
        "Lotsenfahrzeug", "Such- und Rettungsfahrzeug", "Schlepper", "Hafenversorger",
        "Fahrzeug mit Umweltschutzausrüstung", "Polizei", "Sonderfahrzeug", "Sonderfahrzeug",
        "Sanitätsfahrzeug", "Sonderfahrzeug"};
    static const char* const kThirties[] = {
        "Fischereifahrzeug", "Schleppverband", "Schleppverband (groß)", "Bagger- oder Unterwasserarbeiten",
        "Taucherarbeiten", "Militär", "Segelfahrzeug", "Sportboot", "reserviert", "reserviert"};
    QString name;
    if (type >= 50 && type <= 59) name = QString::fromUtf8(kSpecial[type - 50]);
    else if (type >= 30 && type <= 39) name = QString::fromUtf8(kThirties[type - 30]);
    else if (type >= 20 && type <= 29) name = QStringLiteral("Bodeneffektfahrzeug");
    else if (type >= 40 && type <= 49) name = QStringLiteral("Hochgeschwindigkeitsfahrzeug");
    else if (type >= 60 && type <= 69) name = QStringLiteral("Fahrgastschiff");
    else if (type >= 70 && type <= 79) name = QStringLiteral("Frachtschiff");
    else if (type >= 80 && type <= 89) name = QStringLiteral("Tanker");
    else name = QStringLiteral("sonstiges Fahrzeug");
    return QStringLiteral("%1 (%2)").arg(name).arg(type);
}

QString AisTargetText::statusName(int status)
{
    static const char* const kNames[] = {
        "in Fahrt mit Maschine", "vor Anker", "manövrierunfähig", "manövrierbehindert", "tiefgangbehindert",
        "festgemacht", "auf Grund", "beim Fischen", "in Fahrt unter Segel", "reserviert", "reserviert",
        "reserviert", "reserviert", "reserviert", "AIS-SART aktiv"};
    if (status < 0 || status > 14) return QStringLiteral("nicht angegeben");
    return QString::fromUtf8(kNames[status]);
}

QString AisTargetText::aidTypeName(int type)
{
    static const char* const kNames[] = {
        "nicht angegeben", "Bezugspunkt", "RACON", "Bauwerk auf See", "Notwrack-Markierung",
        "Leuchtfeuer ohne Sektoren", "Leuchtfeuer mit Sektoren", "Leitfeuer vorn", "Leitfeuer hinten",
        "Bake Nord", "Bake Ost", "Bake Süd", "Bake West", "Bake Backbord", "Bake Steuerbord",
        "Bake bevorzugtes Fahrwasser Backbord", "Bake bevorzugtes Fahrwasser Steuerbord",
        "Bake Einzelgefahr", "Bake sicheres Wasser", "Bake Sonderzeichen", "Tonne Nord", "Tonne Ost",
        "Tonne Süd", "Tonne West", "Tonne Backbord", "Tonne Steuerbord",
        "Tonne bevorzugtes Fahrwasser Backbord", "Tonne bevorzugtes Fahrwasser Steuerbord",
        "Tonne Einzelgefahr", "Tonne sicheres Wasser", "Tonne Sonderzeichen", "Feuerschiff / Großtonne"};
    if (type < 0 || type > 31) return QStringLiteral("Typ %1").arg(type);
    return QString::fromUtf8(kNames[type]);
}

QString AisTargetText::describe(const AisTarget& t, const std::optional<AisCpa>& cpa, const AisCpa::Limits& limits,
                                int64_t nowMs)
{
    QStringList out;
    line(out, "MMSI", QString::number(t.mmsi));
    if (t.name) line(out, "NAME", *t.name);
    if (t.callsign) line(out, "RUFZEICHEN", *t.callsign);
    line(out, "ART", kindName(t.kind));
    if (t.hasPosition())
        line(out, "POS", latitudeText(*t.latitude) + QStringLiteral("  /  ") + longitudeText(*t.longitude));
    if (t.kind == AisTarget::Kind::AidToNavigation) {
        if (t.aidType) line(out, "TYP", aidTypeName(*t.aidType));
        if (t.virtualAid) line(out, "HINWEIS", QStringLiteral("virtuelle Navigationshilfe"));
        if (t.offPosition) line(out, "HINWEIS", QStringLiteral("nicht auf Position"));
    } else {
        describeShip(out, t);
    }
    if (cpa) {
        QString text = cpa->tcpaMinutes < 0.0
                           ? QStringLiteral("%1 sm, läuft ab").arg(number(cpa->cpaNauticalMiles, 2))
                           : QStringLiteral("%1 sm in %2 min").arg(number(cpa->cpaNauticalMiles, 2),
                                                                   number(cpa->tcpaMinutes, 1));
        if (cpa->isDangerous(limits)) text += QStringLiteral("  WARNUNG");
        line(out, "CPA", text);
    }
    const int64_t seconds = std::max<int64_t>(0, (nowMs - t.lastHeardMs) / 1000);
    QString heard = seconds < 60 ? QStringLiteral("vor %1 s").arg(seconds)
                                 : QStringLiteral("vor %1 min").arg(seconds / 60);
    if (t.lost) heard += QStringLiteral(" (verloren)");
    line(out, "EMPFANGEN", heard);
    return out.join(QLatin1Char('\n'));
}

} // namespace kesmar
