#include "chartdata/LightCharacteristic.h"

#include <QCoreApplication>

#include <array>
#include <cstring>

namespace kesmar {

namespace {

// International forms first, then the German ones. "F." stands twice: the
// German fixed light reads like the international one, so the second entry
// is never reached; it is kept so that the indices match the light lists.
constexpr std::array<const char*, 34> kAbbreviations = {
    "F.",     "Oc.",      "Oc(",       "Iso.",      "FFl.", "LFl.", "Fl.",   "Fl(",   "IQ.",
    "IVQ.",   "IUQ.",     "Q.",        "Q(",        "VQ.",  "VQ(",  "UQ.",   "Al.",   "F.",
    "Ubr.",   "Ubr(",     "Glt.",      "F.Blz.",    "Blk.", "Blz.", "Blz(",  "Fkl.unt.",
    "SFkl.unt.", "UFkl.unt.", "Fkl.",  "Fkl(",      "SFkl.", "SFkl(", "UFkl.", "Wchs.",
};

enum class Form { Any, International, German };

struct ColourToken {
    const char* letters;
    Form form;
    const char* name;
};

// Longer tokens before their prefixes ("gn" before "g", "w." before "w").
constexpr std::array<ColourToken, 22> kColours = {{
    {"gn.", Form::Any, "grün"},     {"gn", Form::Any, "grün"},     {"GN", Form::Any, "grün"},
    {"w.", Form::Any, "weiss"},     {"W", Form::Any, "weiss"},     {"w", Form::Any, "weiss"},
    {"r.", Form::Any, "rot"},       {"R", Form::Any, "rot"},       {"r", Form::Any, "rot"},
    {"vi.", Form::Any, "violett"},  {"Vi", Form::Any, "violett"},  {"vi", Form::Any, "violett"},
    {"bl.", Form::Any, "blau"},     {"bl", Form::Any, "blau"},     {"Bu", Form::Any, "blau"},
    {"or.", Form::Any, "orange"},   {"Or", Form::Any, "orange"},   {"or", Form::Any, "orange"},
    {"g.", Form::German, "gelb"},   {"g", Form::German, "gelb"},   {"G", Form::International, "grün"},
    {"Y", Form::Any, "gelb"},
}};

bool startsWithAt(const QByteArray& text, qsizetype pos, const char* token)
{
    const auto len = qsizetype(std::strlen(token));
    return pos + len <= text.size() && std::memcmp(text.constData() + pos, token, size_t(len)) == 0;
}

// The colour token at `pos`, its length in `length`; nullptr when none.
const ColourToken* colourAt(const QByteArray& text, qsizetype pos, bool international, qsizetype* length)
{
    for (const ColourToken& c : kColours) {
        if (c.form == Form::International && !international)
            continue;
        if (c.form == Form::German && international)
            continue;
        if (startsWithAt(text, pos, c.letters)) {
            *length = qsizetype(std::strlen(c.letters));
            return &c;
        }
    }
    return nullptr;
}

// Skips a group such as "(2)" or "(+1)" behind an abbreviation ending in "(".
// false when the text ends inside it.
bool skipGroup(const QByteArray& text, qsizetype& pos)
{
    if (pos >= text.size() || text[pos] != '(')
        return true;
    const qsizetype q = (pos + 1 < text.size() && text[pos + 1] == '+') ? pos + 3 : pos + 1;
    if (q >= text.size())
        return false;
    pos = q + 1;
    if (pos < text.size() && text[pos] == ')')
        ++pos;
    return true;
}

QString colourName(const char* name)
{
    return QCoreApplication::translate("PointDescription", name);
}

} // namespace

int LightCharacteristic::findAbbreviation(const QByteArray& text, qsizetype* position)
{
    for (size_t i = 0; i < kAbbreviations.size(); ++i) {
        const qsizetype at = text.indexOf(kAbbreviations[i]);
        if (at >= 0) {
            if (position)
                *position = at;
            return int(i);
        }
    }
    if (text.startsWith("Mo(")) {
        if (position)
            *position = 0;
        return kMorseForm;
    }
    return -1;
}

std::optional<QString> LightCharacteristic::colourLine(const QByteArray& text)
{
    qsizetype pos = 0;
    const int found = findAbbreviation(text, &pos);
    if (found < 0)
        return std::nullopt;
    const char* abbreviation = found == kMorseForm ? "Mo(" : kAbbreviations[size_t(found)];
    const bool international = found < kInternationalForms || found == kMorseForm;
    pos += qsizetype(std::strlen(abbreviation));
    if (abbreviation[std::strlen(abbreviation) - 1] == '(')
        --pos;  // stays on the "(" of the group
    if (!skipGroup(text, pos))
        return std::nullopt;
    if (pos < text.size() && text[pos] == ' ')
        ++pos;

    QStringList names;
    while (names.size() < 3) {
        qsizetype length = 0;
        const ColourToken* colour = colourAt(text, pos, international, &length);
        if (!colour)
            break;
        names << colourName(colour->name);
        pos += length;
        if (pos >= text.size() || text[pos] == ' ' || text[pos] == '.')
            break;
        if (text[pos] == '/')
            ++pos;
    }
    if (names.isEmpty())
        return std::nullopt;
    return names.join(QStringLiteral(" / "));
}

} // namespace kesmar
