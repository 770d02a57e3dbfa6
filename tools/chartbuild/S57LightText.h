#pragma once
#include "S57Object.h"

#include <QString>

#include <vector>

namespace kesmar::chartbuild {

// The light characteristic in the international form printed on charts:
// "Fl(2)R.10s", "Iso.W.8s", "Q(9)15s", "VQ(6)+LFl.10s", "F.R".
class S57LightText {
public:
    // S-57 colour codes (1 white ... 13 pink) of a list such as "3,4,3";
    // anything outside 1-13 is dropped.
    static std::vector<int> colours(const QString& list);

    // From LITCHR, SIGGRP and SIGPER of `light` and the colour codes (all
    // sectors of the light). Empty when the character is missing or unknown.
    // White is left out of the quick-flashing families, as on charts.
    static QString characteristic(const S57Object& light, const std::vector<int>& colours);

    // "WRG": each colour once, in chart order (W R G Y Bu Vi Or).
    static QString colourLetters(const std::vector<int>& colours);
};

} // namespace kesmar::chartbuild
