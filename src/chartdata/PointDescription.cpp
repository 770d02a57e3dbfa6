#include "chartdata/PointDescription.h"

#include "chartdata/Cp850.h"
#include "chartdata/LightCharacteristic.h"

#include <QCoreApplication>

#include <array>
#include <cstdlib>
#include <utility>

namespace kesmar {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("PointDescription", text); }

constexpr std::pair<int, const char*> kTypeNames[] = {
    {0, "Spitztonne"},           {1, "Stumpftonne"},
    {2, "Kugeltonne"},           {3, "Bakentonne"},
    {4, "Spierentonne"},         {5, "Faßtonne"},
    {6, "Großtonne"},            {7, "Leuchtfloß"},
    {8, "einfach kurze Bake"},   {9, "Festmach-Kugeltonne"},
    {10, "Festmach-Stumpftonne"}, {11, "Pfahl / einfache Stange"},
    {12, "Pfahl Kreis"},         {13, "Pfahl Kegel"},
    {14, "Pfahl Kreuz"},         {15, "Pfahl BACKBORD"},
    {16, "Pfahl STEUERBORD"},    {17, "Pfahl Quadrat"},
    {18, "Pfahlwerk"},           {20, "Einfacher Radarreflektor"},
    {28, "allgemeine Warnstelle"}, {33, "Fischereigebiet"},
    {34, "Uboot Areal"},         {35, "Ankerplatz"},
    {36, "Minengebiet"},         {37, "Militär - Gefahrenbreich"},
    {38, "Hafen Marina"},        {39, "Plattform"},
    {40, "Leuchtfeuer"},         {41, "Licht"},
    {42, "Ankern verboten"},     {43, "Fischen verboten"},
    {44, "Seetang"},             {45, "Wirbel"},
    {46, "Kabbel"},              {47, "Wrack"},
    {48, "abgesuchtes Wrack"},   {49, "Wrack-Mast sichtbar"},
    {50, "Wrack-Mast sichtbar"}, {51, "Wrack, Schiff sichtbar"},
    {52, "Wrack abgesuchter Bereich"}, {53, "Unreinheit"},
    {54, "Unreinheit"},          {55, "Unreinheit"},
    {56, "Unreinheit"},          {57, "Nebel Warnsignal"},
    {62, "Tiefenlotung"},        {63, "TEXT, Bezeichnung..."},
};

// Colour indices that have a name, in the order of their names.
constexpr std::array<int, 9> kNamedColours = {1, 2, 5, 7, 9, 10, 11, 13, 15};
constexpr std::array<const char*, 9> kColourNames = {
    "schwarz", "weiss", "gelb", "grau", "grün", "blau", "violett", "rot", "orange"};

constexpr int kWhite = 2, kYellow = 5, kRed = 13;

struct Qualifier {
    const char* code;
    const char* explanation;
};
// "[S]" and "[p]" are on charts too; their explanations are given with the others.
constexpr Qualifier kQualifiers[] = {
    {"[o]", "[o]=(bei Bedarf)"},      {"[A]", "[A]=(Luftfahrtfeuer)"},
    {"[d]", "[d]=(Tagesfeuer)"},      {"[U]", "[U]=(unbewacht)"},
    {"[t]", "[t](zeiweilig)"},        {"[e]", "[e]=(gelöscht)"},
    {"[R]", "[R]=(schwaches Warnfeuer)"}, {"[i]", "[i]=(Nebelfeuer)"},
    {"[S]", "[S]=(Sichtweitenmeßgerät)"}, {"[p]", "[p]=(privat)"},
};

constexpr std::array<const char*, 26> kMorse = {
    ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
    ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
    "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--..",
};

bool depthInModifier(int type)
{
    return type == 53 || type == 54 || type == 56 || type == 47 || type == 48;
}

bool hasSignals(int type) { return type < 32 || type == 39 || type == 40; }

QString depthText(int modifier) { return QString::asprintf("%2.1f m", modifier * 0.1); }

void appendSeparated(QString& line, const QString& part)
{
    if (part.isEmpty())
        return;
    if (!line.isEmpty())
        line += QStringLiteral(" - ");
    line += part;
}

QString degreesText(int32_t value, int width, char positive, char negative)
{
    const int64_t v = std::llabs(int64_t(value));
    const int64_t degrees = v / 60000;
    const double minutes = double(v - degrees * 60000) * 0.001;
    return QString::asprintf("%*lld°%06.3f%c", width, static_cast<long long>(degrees), minutes,
                             value < 0 ? negative : positive);
}

// Signal names of the modifier bits 5, 4 (and 6, 7 unless the modifier holds a depth).
QString signalLine(int type, int modifier, bool depth)
{
    QString line;
    if (hasSignals(type)) {
        if (modifier & 0x20)
            line += tr(" Radar");
        if (modifier & 0x10)
            line += tr(" Nebel");
    }
    if (!depth) {
        if (modifier & 0x40)
            line += tr(" Feuer");
        if (modifier & 0x80)
            line += tr(" Warn");
    }
    return line;
}

QString colourLine(const PointRecord& r, const QByteArray& text)
{
    const int type = r.objectType();
    if (type >= 18 && type != PointRecord::kTypeLighthouse)
        return {};
    const QString fg = PointDescription::colourName(r.foreground());
    const QString bg = PointDescription::colourName(r.background());
    QString line = ((r.typeByte() & 0xC0) && fg != bg) ? QStringLiteral("%1 / %2 ").arg(fg, bg)
                                                       : fg + QLatin1Char(' ');
    if (type == PointRecord::kTypeLighthouse && text.size() > 1) {
        if (auto light = LightCharacteristic::colourLine(text))
            line = *light;
    }
    return line;
}

} // namespace

QString PointDescription::typeName(int type)
{
    for (const auto& [code, name] : kTypeNames)
        if (code == type)
            return tr(name);
    return {};
}

QString PointDescription::colourName(int index)
{
    for (size_t i = 0; i < kNamedColours.size(); ++i)
        if (kNamedColours[i] == index)
            return tr(kColourNames[i]);
    return tr(kColourNames[0]);
}

QString PointDescription::markName(int modifier, int foreground, int background)
{
    static const char* const kCardinals[] = {"Nord", "Ost", "Süd", "West"};
    switch (modifier & 15) {
    case 1:
        return tr("Gefahrenstelle");
    case 2: case 3: case 4: case 5:
        return tr("%1-Kardinal").arg(tr(kCardinals[(modifier & 15) - 2]));
    case 8:
        if ((foreground == kWhite && background == kRed) || (foreground == kRed && background == kWhite))
            return tr("Mittenfahrwasser");
        return {};
    case 9:
        return foreground == kYellow ? tr("Grenzmarkierung") : QString();
    default:
        return {};
    }
}

QString PointDescription::qualifiers(const QByteArray& text)
{
    QString line;
    for (const Qualifier& q : kQualifiers)
        if (text.contains(q.code))
            appendSeparated(line, tr(q.explanation));
    return line;
}

QString PointDescription::morse(const QByteArray& text)
{
    QString out;
    int found = 0;
    for (qsizetype at = text.indexOf("Mo("); at >= 0; at = text.indexOf("Mo(", at + 3)) {
        if (at + 3 >= text.size())
            break;
        const char letter = char(QChar::toUpper(uint(uchar(text[at + 3]))));
        if (letter < 'A' || letter > 'Z')
            continue;  // "Mo(" without a letter explains nothing
        if (found++ > 0)
            out += QLatin1Char(' ');
        out += QStringLiteral(" %1 = %2 ").arg(QChar(QLatin1Char(letter)), QLatin1String(kMorse[size_t(letter - 'A')]));
    }
    return out;
}

PointDescription::PositionText PointDescription::position(ChartPoint point)
{
    return {degreesText(point.y, 2, 'S', 'N'), degreesText(point.x, 3, 'E', 'W')};
}

QString PointDescription::build(const PointRecord& r)
{
    const int type = r.objectType();
    const int modifier = r.modifier();
    const QByteArray raw = r.text();
    QString text = fromCp850(std::string_view(raw.constData(), size_t(raw.size())));
    QString signal, extra;
    if (type == PointRecord::kTypeSounding) {
        if (modifier == 0)
            return {};
        text = depthText(modifier);
    } else if (type != PointRecord::kTypeText) {
        const bool depth = modifier != 0 && depthInModifier(type);
        signal = signalLine(type, modifier, depth);
        if (depth)
            text = depthText(modifier);
    }
    if (!text.isEmpty()) {
        extra = qualifiers(raw);
        while (signal.startsWith(QLatin1Char(' ')))
            signal.remove(0, 1);
        appendSeparated(extra, morse(raw));
    }
    QString colour = colourLine(r, raw);

    const PositionText pos = position(r.position());
    QString out = QStringLiteral("\r\n     POS:\t%1  /  %2\r\n   TYPE:\t").arg(pos.latitude, pos.longitude);
    QString typeLine;
    if (type == 17) {
        const QString fg = colourName(r.foreground()), bg = colourName(r.background());
        if (fg != bg)
            colour = QStringLiteral(" %1 / %2 ").arg(fg, bg);
        typeLine = tr("Kabelbake / Peilstangen");
    }
    if (type < 18) {
        const QString mark = markName(modifier, r.foreground(), r.background());
        if (!mark.isEmpty())
            typeLine += (typeLine.isEmpty() ? QString() : QStringLiteral(" ")) + mark;
    }
    const QString name = typeName(type);
    if (!typeLine.isEmpty() && !name.isEmpty())
        typeLine += QLatin1Char(' ');
    out += typeLine + name;
    if (!colour.isEmpty())
        out += QStringLiteral("\r\nCOLOR:\t") + colour;
    if (!signal.isEmpty())
        out += QStringLiteral("\r\nSIGNAL:\t") + signal;
    if (!text.isEmpty())
        out += QStringLiteral("\r\n    TEXT:\t") + text;
    if (!extra.isEmpty())
        out += QStringLiteral("\r\n\t") + extra;
    return out.left(kMaxCharacters);
}

QStringList PointDescription::lines(const QString& description)
{
    return description.split(QStringLiteral("\r\n"));
}

} // namespace kesmar
