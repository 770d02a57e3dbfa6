#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace kesmar {

// Reads the colours of a light from its characteristic text as printed on
// charts and in light lists, in the international form ("Fl(2)WR.10s",
// "Iso.W.8s") or the older German one ("Blz.(2)w.r.10s", "Ubr.g."). Only the
// colour letters right behind the first known abbreviation count.
class LightCharacteristic {
public:
    // The colour line of the point information: up to three colour names
    // joined by " / " ("weiss / rot"); nullopt when no abbreviation is found
    // or no colour letter follows it.
    static std::optional<QString> colourLine(const QByteArray& text);

    // Index into the abbreviation list of the first one found in `text`
    // (the list order decides, not the position in the text), or -1.
    // Indices below kInternationalForms are international forms.
    static int findAbbreviation(const QByteArray& text, qsizetype* position = nullptr);

    static constexpr int kInternationalForms = 17;
    static constexpr int kMorseForm = 100;
};

} // namespace kesmar
