#include "S57LightText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kesmar::chartbuild {

namespace {

struct Character {
    int code;
    const char* abbreviation;
    bool quick;  // a quick-flashing family: white goes without saying
};

// LITCHR codes of S-57 with their chart abbreviations.
constexpr Character kCharacters[] = {
    {1, "F", false},     {2, "Fl", false},    {3, "LFl", false},     {4, "Q", true},
    {5, "VQ", true},     {6, "UQ", true},     {7, "Iso", false},     {8, "Oc", false},
    {9, "IQ", true},     {10, "IVQ", true},   {11, "IUQ", true},     {12, "Mo", false},
    {13, "FFl", false},  {14, "Fl+LFl", false}, {15, "Oc+Fl", false}, {16, "F+LFl", false},
    {17, "Al.Oc", false}, {18, "Al.LFl", false}, {19, "Al.Fl", false}, {20, "Al.Fl", false},
    {25, "Q", true},     {26, "VQ", true},    {27, "UQ", true},      {28, "Al", false},
    {29, "Al.FFl", false},
};

// Chart order of the colour letters: white, red, green, yellow, blue, violet, orange.
struct Letter {
    int code;
    const char* letters;
};
constexpr Letter kLetters[] = {{1, "W"}, {3, "R"}, {4, "G"}, {6, "Y"}, {9, "Y"}, {5, "Bu"},
                               {10, "Vi"}, {12, "Vi"}, {11, "Or"}, {13, "R"}};

// A signal group as printed: "(2)", "(2+1)", "(A)"; a single flash "(1)" or
// an empty group prints nothing. Only plain characters of a group survive.
QString groupText(const QString& raw)
{
    QString g;
    for (QChar c : raw.left(16)) {
        const char a = c.toLatin1();
        if ((a >= '0' && a <= '9') || (a >= 'A' && a <= 'Z') || (a >= 'a' && a <= 'z') || a == '+' || a == '('
            || a == ')')
            g += c;
    }
    if (g == QLatin1String("(1)") || g == QLatin1String("()"))
        return {};
    return g;
}

QString periodText(const S57Object& light)
{
    const std::optional<double> period = light.real("SIGPER");
    if (!period || !(*period > 0.0) || *period > 999.0)
        return {};
    const double tenths = std::round(*period * 10.0) / 10.0;
    return QString::number(tenths, 'g', 4) + QLatin1Char('s');
}

} // namespace

std::vector<int> S57LightText::colours(const QString& list)
{
    std::vector<int> out;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (ok && code >= 1 && code <= 13)
            out.push_back(code);
    }
    return out;
}

QString S57LightText::colourLetters(const std::vector<int>& colours)
{
    QString out;
    for (const Letter& l : kLetters) {
        const QString letters = QLatin1String(l.letters);
        if (std::find(colours.begin(), colours.end(), l.code) != colours.end() && !out.contains(letters))
            out += letters;
    }
    return out;
}

QString S57LightText::characteristic(const S57Object& light, const std::vector<int>& colours)
{
    const std::optional<int> code = light.number("LITCHR");
    if (!code)
        return {};
    const auto c = std::find_if(std::begin(kCharacters), std::end(kCharacters),
                                [&](const Character& k) { return k.code == *code; });
    if (c == std::end(kCharacters))
        return {};
    QString group = groupText(light.text("SIGGRP"));
    // "(6)(1)" of a quick light followed by a long flash: "Q(6)+LFl".
    if (*code >= 25 && *code <= 27) {
        group = group.startsWith(QLatin1Char('(')) ? group.section(QLatin1Char(')'), 0, 0) + QLatin1Char(')')
                                                   : QString();
        if (group == QLatin1String("(1)"))
            group.clear();
        group += QStringLiteral("+LFl");
    }
    QString letters = colourLetters(colours);
    if (c->quick && letters == QLatin1String("W"))
        letters.clear();
    const QString period = periodText(light);

    QString out = QLatin1String(c->abbreviation) + group;
    if (!out.endsWith(QLatin1Char(')')) && (!letters.isEmpty() || !period.isEmpty()))
        out += QLatin1Char('.');
    out += letters;
    if (!letters.isEmpty() && !period.isEmpty())
        out += QLatin1Char('.');
    out += period;
    return out;
}

} // namespace kesmar::chartbuild
