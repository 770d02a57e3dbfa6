#pragma once
#include "core/ChartPoint.h"
#include "core/ViewportTypes.h"

#include <QPoint>
#include <QString>
#include <cstdint>

namespace kesmar {

// The projection between positions and the pixels of one chart window (the
// main view, a mini window, or a printer page while printing).
//
// Equirectangular with a fixed vertical stretch: one minute of longitude is
// 1/scale pixels wide, one minute of latitude 1/(0.71 * scale) pixels high.
// Positions are floating-point minutes oriented like ChartPoint (x east,
// y = negated latitude). The offsets are the negated centre: x offset = -X of
// the centre, y offset = latitude of the centre (north positive).
//
// A plain copyable value: the main view owns one, every mini window its own.
// Nothing here touches the chart catalogue; after every operation that
// returns true (or after RecomputeViewport / ClampViewport / start-up) the
// owner re-selects its charts against visibleBox() and scale().
class Viewport {
public:
    // ZoomPan codes: key codes and command ids of the chart view.
    enum Code : int {
        ZoomRectangle = 0,
        PanLeft = 37,
        PanUp = 38,
        PanRight = 39,
        PanDown = 40,
        ZoomIn = 43,
        ZoomOut = 45,
        ZoomInPad = 107,
        ZoomOutPad = 109,
        WholeWorld = 32788,
        ZoomInStep = 32791,
        ZoomOutStep = 32792,
        PanLeftHalf = 40040,
        PanRightHalf = 40041,
        PanUpHalf = 40045,
        PanDownHalf = 40046,
    };

    static constexpr double kYFactor = 0.71;
    static constexpr double kMinimumScale = 0.0003;
    static constexpr double kWorldMinutesWide = 21600.0;
    static constexpr int32_t kPrintingFlag = 16;

    Viewport() = default;

    // --- projection ---------------------------------------------------------
    // Minutes to pixels: trunc((X + x offset) / scale X) + cx (likewise y).
    // Saturates at the int32 range; not clamped to the far limit.
    QPoint project(double xMinutes, double yMinutes) const;
    QPoint project(const ChartPoint& p) const; // p * 0.001
    // As project(), each coordinate then clamped to -farLimit .. +farLimit,
    // which is what every drawing routine hands to the painter.
    QPoint projectClamped(const ChartPoint& p) const;
    int32_t clampToFarLimit(int64_t pixel) const;
    // Pixels to minutes: X = (px - cx) * scale X - x offset (likewise y).
    MinutePoint unproject(int px, int py) const;
    // The same in ChartPoint units (minutes * 1000, truncated toward zero).
    ChartPoint unprojectToChart(int px, int py) const;

    // Status-bar position texts of a pixel: "%2d°%06.3f%c" and "%3d°%06.3f%c".
    // An exact 0 counts as north and as west.
    QString latitudeText(int px, int py) const;
    QString longitudeText(int px, int py) const;
    // The same from latitude minutes (north positive) / west-positive minutes.
    static QString formatLatitude(double latitudeMinutes);
    static QString formatLongitude(double westMinutes);

    // --- zoom and pan ---------------------------------------------------------
    // One zoom or pan step (see Code), then ClampViewport. The rectangle matters
    // only for ZoomRectangle. Returns true when the code is known: the window
    // must repaint and the charts be re-selected (even when a limit left the
    // values unchanged). An unknown code changes nothing and returns false.
    bool ZoomPan(int left, int right, int top, int bottom, int code);
    // Limits scale and offsets to the world, derives the VisibleBox, and on
    // screen the point level thresholds; sets scale X / scale Y.
    void ClampViewport();

    // --- window geometry -------------------------------------------------------
    // Takes a new window rectangle (client area). A rectangle without area is
    // refused: the previous rectangle and every derived value are kept. While
    // printing it replaces the screen rectangle that print end goes back to.
    bool setWindowRect(const PixelRect& rect);
    // Derives every window-dependent field from the window rectangle, carrying
    // the zoom ratio (world scale / scale) over; clamps once the view started.
    // Returns false (nothing changed) for a window without area.
    bool RecomputeViewport();
    // The same without the clamp; the symbol size keeps its ratio to the world
    // scale instead of being re-read from the style.
    bool RecomputeViewportLight();

    // Sets rectangle and recomputes; false when refused (zero size).
    bool resize(const PixelRect& clientRect);

    // --- start-up -----------------------------------------------------------------
    // First half of the view start-up: takes the client rectangle, sets both
    // offsets to 0, the minimum scale to 0.0003 and scale = world scale =
    // 21600 / width. Returns false for a window without area (nothing changes).
    bool startUp(const PixelRect& clientRect);
    // Second half: the stored view position, then RecomputeViewport (clamps).
    // Non-finite or non-positive scale and non-finite offsets are ignored
    // (the whole world is kept).
    void restoreView(double scale, double xOffset, double yOffset);
    // Puts scale and offsets directly (mini windows, tests), then clamps if
    // the view has started. Same guards as restoreView.
    void setView(double scale, double xOffset, double yOffset);
    bool hasStarted() const { return minimumScale_ == kMinimumScale; }

    // --- printing -------------------------------------------------------------------
    // Print start: printableRect is the page inside the margins (left = marginX,
    // top = marginY, right = page width - marginX, bottom = page height -
    // marginY). The current zoom and centre carry over to the page. Returns
    // false (not printing) for a page without area.
    bool beginPrinting(const PixelRect& printableRect, int marginX, int marginY);
    // Print end: back to the screen rectangle of print start with exactly the
    // scale and offsets of before (the page clamp may have moved the centre;
    // the screen view must not follow it).
    void endPrinting();
    bool isPrinting() const { return printing_ != 0; }
    // trunc(dots per inch * 75 / 254): a margin of 7.5 mm.
    static int printMargin(int dotsPerInch);

    // --- style -----------------------------------------------------------------------
    // Configured symbol size, text size and fonts; used at the next recompute.
    void setStyle(const ViewportStyle& style) { style_ = style; }
    const ViewportStyle& style() const { return style_; }
    // Width of the desktop in pixels; the screen font factor is width / 1024.
    void setDesktopWidth(int pixels) { desktopWidth_ = pixels > 0 ? pixels : 1024; }

    // The point level rule: n = smallest m >= 1 with 32 / 2^m < scale, at most 20;
    // levelDot = 13 for n >= 17, else trunc((n + 2) * 13.47); levelFull =
    // trunc((n + 1) * 13.47), capped at 255.
    static PointLevels pointLevelsForScale(double scale);

    // --- state --------------------------------------------------------------------------
    double scale() const { return scale_; }
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    double yFactor() const { return yFactor_; }
    double xOffset() const { return xOffset_; }
    double yOffset() const { return yOffset_; }
    const PixelRect& windowRect() const { return window_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    double widthF() const { return widthF_; }   // while printing includes the margins
    double heightF() const { return heightF_; }
    int32_t centreX() const { return cx_; }
    int32_t centreY() const { return cy_; }
    double worldScale() const { return worldScale_; }
    double minimumScale() const { return minimumScale_; }
    int32_t farLimit() const { return farLimit_; }
    const ChartBox& visibleBox() const { return visibleBox_; }
    uint8_t levelDot() const { return levels_.levelDot; }
    uint8_t levelFull() const { return levels_.levelFull; }
    const PointLevels& pointLevels() const { return levels_; }
    int32_t printingFlag() const { return printing_; }
    int32_t marginX() const { return marginX_; }
    int32_t marginY() const { return marginY_; }
    double deviceFactor() const { return deviceFactor_; }
    double symbolSize() const { return symbolSize_; }
    // Working fonts: the configured fonts scaled by text size and device factor.
    const TextFont& chartFont() const { return fonts_[0]; }
    const TextFont& workFont() const { return fonts_[1]; }

private:
    bool derive(bool light);
    void scaleFonts();

    double scale_ = 1.0;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    double yFactor_ = kYFactor;
    double xOffset_ = 0.0;
    double yOffset_ = 0.0;
    PixelRect window_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    double widthF_ = 0.0;
    double heightF_ = 0.0;
    int32_t cx_ = 0;
    int32_t cy_ = 0;
    double worldScale_ = 1.0;
    double minimumScale_ = 0.0;
    int32_t farLimit_ = 0;
    ChartBox visibleBox_;
    PointLevels levels_;
    int32_t printing_ = 0;
    int32_t marginX_ = 0;
    int32_t marginY_ = 0;
    double deviceFactor_ = 1.0;
    double symbolSize_ = 0.025;
    TextFont fonts_[2];
    ViewportStyle style_;
    int desktopWidth_ = 1024;

    // Screen state saved at print start, put back at print end.
    struct ScreenState {
        PixelRect window;
        double scale = 1.0;
        double xOffset = 0.0;
        double yOffset = 0.0;
    } screen_;
};

} // namespace kesmar
