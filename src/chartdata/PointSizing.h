#pragma once

namespace kesmar {

// How large a buoyage point of a given level is drawn at the current scale.
// The symbol doubles with every halving of the scale until it reaches 1.5
// times the configured buoyage dimension d:
//   raw = d * 32 / (scale * 2^(level / 13.47))
//   screen:   symbol = text = min(raw, 1.5 d)
//   printing: f = raw * p; text = min(f, 1.5 d); symbol = min(f, p * p * d)
// (p = the printer's dots per inch / 96).
struct PointSizing {
    double raw = 0.0;     // before any cap; the hit test compares it with 1.5 d
    double symbol = 0.0;  // pixels per symbol unit
    double text = 0.0;    // reference size of texts and soundings

    static PointSizing forLevel(int level, double buoyageDimension, double scale,
                                double printFactor, bool printing);

    // The height a chart font of `height` (negative: character height in
    // pixels) is drawn with: trunc(height / (d / text)^2).
    static int fontHeight(int height, double buoyageDimension, double text);
    // Heights above -3 are too small: the text or sounding is not drawn.
    static constexpr int kLargestDrawnHeight = -3;
    static bool drawable(int scaledHeight) { return scaledHeight <= kLargestDrawnHeight; }
};

} // namespace kesmar
