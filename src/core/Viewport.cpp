#include "core/Viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kesmar {
namespace {

// Truncation toward zero that saturates instead of overflowing: a tall, narrow
// window at world scale gives half-extents far beyond the int32 range.
int32_t truncSaturated(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int32_t saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

bool usableScale(double s) { return std::isfinite(s) && s > 0.0; }

// "%2d°%06.3f%c": degrees from the truncated minutes by integer division.
QString formatPosition(double minutes, double limit, char positive, char negative, const char* format)
{
    if (!std::isfinite(minutes))
        minutes = 0.0;
    char hemisphere = positive;
    if (minutes < 0.0) {
        hemisphere = negative;
        minutes = -minutes;
    }
    if (minutes > limit)
        minutes = limit;
    const int degrees = static_cast<int>(minutes) / 60;
    return QString::asprintf(format, degrees, minutes - degrees * 60.0, hemisphere);
}

} // namespace

QPoint Viewport::project(double xMinutes, double yMinutes) const
{
    const int64_t px = int64_t(truncSaturated((xMinutes + xOffset_) / scaleX_)) + cx_;
    const int64_t py = int64_t(truncSaturated((yMinutes + yOffset_) / scaleY_)) + cy_;
    return QPoint(saturate(px), saturate(py));
}

QPoint Viewport::project(const ChartPoint& p) const
{
    return project(p.x * 0.001, p.y * 0.001);
}

QPoint Viewport::projectClamped(const ChartPoint& p) const
{
    const QPoint q = project(p);
    return QPoint(clampToFarLimit(q.x()), clampToFarLimit(q.y()));
}

int32_t Viewport::clampToFarLimit(int64_t pixel) const
{
    return static_cast<int32_t>(std::clamp<int64_t>(pixel, -int64_t(farLimit_), farLimit_));
}

MinutePoint Viewport::unproject(int px, int py) const
{
    // In double: a pixel projected from a damaged chart may be near ±2^31.
    return {(double(px) - cx_) * scaleX_ - xOffset_, (double(py) - cy_) * scaleY_ - yOffset_};
}

ChartPoint Viewport::unprojectToChart(int px, int py) const
{
    const MinutePoint m = unproject(px, py);
    return {truncSaturated(m.y * 1000.0), truncSaturated(m.x * 1000.0)};
}

QString Viewport::latitudeText(int px, int py) const
{
    Q_UNUSED(px);
    return formatLatitude((double(cy_) - py) * scaleY_ + yOffset_);
}

QString Viewport::longitudeText(int px, int py) const
{
    Q_UNUSED(py);
    return formatLongitude((double(cx_) - px) * scaleX_ + xOffset_);
}

QString Viewport::formatLatitude(double latitudeMinutes)
{
    // A value of exactly 0 counts as north.
    return formatPosition(latitudeMinutes, 5400.0, 'N', 'S', "%2d°%06.3f%c");
}

QString Viewport::formatLongitude(double westMinutes)
{
    // A value of exactly 0 counts as west.
    return formatPosition(westMinutes, 10800.0, 'W', 'E', "%3d°%06.3f%c");
}

bool Viewport::ZoomPan(int left, int right, int top, int bottom, int code)
{
    const double w = widthF_;
    const double h = heightF_;
    const double s = scale_;
    switch (code) {
    case ZoomRectangle:
        xOffset_ += (cx_ - (left + 0.5 * (double(right) - left))) * scaleX_;
        yOffset_ += (cy_ - (top + 0.5 * (double(bottom) - top))) * scaleY_;
        if (w > 0.0)
            scale_ = (double(right) - left) * s / w;
        break;
    // Vertical steps use the scale, not scale Y: a quarter step moves the
    // picture by about 35 % of the height.
    case PanLeft: xOffset_ += 0.25 * w * s; break;
    case PanUp: yOffset_ += 0.25 * h * s; break;
    case PanRight: xOffset_ -= 0.25 * w * s; break;
    case PanDown: yOffset_ -= 0.25 * h * s; break;
    case PanLeftHalf: xOffset_ += 0.5 * w * s; break;
    case PanRightHalf: xOffset_ -= 0.5 * w * s; break;
    case PanUpHalf: yOffset_ += 0.5 * h * s; break;
    case PanDownHalf: yOffset_ -= 0.5 * h * s; break;
    case ZoomIn:
    case ZoomInPad: scale_ = s * 0.5; break;
    case ZoomOut:
    case ZoomOutPad: scale_ = s * 2.0; break;
    case ZoomInStep: scale_ = s * 0.8333333333333334; break;
    case ZoomOutStep: scale_ = s * 1.2; break;
    case WholeWorld: scale_ = worldScale_; break;
    default: return false;
    }
    ClampViewport();
    return true;
}

void Viewport::ClampViewport()
{
    const double w = widthF_;
    const double h = heightF_;
    if (!std::isfinite(xOffset_))
        xOffset_ = 0.0;
    if (!std::isfinite(yOffset_))
        yOffset_ = 0.0;
    double hx = 0.0;
    double hy = 0.0;
    if (!usableScale(scale_) || scale_ >= worldScale_) {
        scale_ = worldScale_;
        xOffset_ = 0.0;
        yOffset_ = 0.0;
        hx = 0.5 * w * worldScale_;
        hy = 0.5 * h * yFactor_ * worldScale_;
    } else {
        if (scale_ < minimumScale_)
            scale_ = minimumScale_;
        hx = 0.5 * w * scale_;
        hy = 0.5 * h * yFactor_ * scale_;
        // In this order: a window taller than the world ends up south-aligned.
        if (xOffset_ - hx < -10800.0)
            xOffset_ = hx - 10800.0;
        if (xOffset_ + hx > 10800.0)
            xOffset_ = 10800.0 - hx;
        if (yOffset_ - hy < -5400.0)
            yOffset_ = hy - 5400.0;
        if (yOffset_ + hy > 5400.0)
            yOffset_ = 5400.0 - hy;
    }
    visibleBox_.left = truncSaturated((-xOffset_ - hx) * 1000.0);
    visibleBox_.right = truncSaturated((hx - xOffset_) * 1000.0);
    visibleBox_.top = truncSaturated((-yOffset_ - hy) * 1000.0);
    visibleBox_.bottom = truncSaturated((hy - yOffset_) * 1000.0);
    // The page keeps the screen's thresholds.
    if (!printing_)
        levels_ = pointLevelsForScale(scale_);
    scaleX_ = scale_;
    scaleY_ = yFactor_ * scale_;
}

PointLevels Viewport::pointLevelsForScale(double scale)
{
    double v = 32.0 * 0.5;
    int n = 1;
    while (v >= scale && n < 20) {
        v *= 0.5;
        ++n;
    }
    PointLevels levels;
    levels.zoomLevel = n;
    levels.levelDot = n >= 17 ? 13 : static_cast<uint8_t>(static_cast<int>((n + 2) * 13.47));
    // From n = 18 on the product passes 255; a wrapped byte would hide nearly
    // every point at the finest zooms, so it is capped.
    levels.levelFull = static_cast<uint8_t>(std::min(255, static_cast<int>((n + 1) * 13.47)));
    return levels;
}

bool Viewport::setWindowRect(const PixelRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return false;
    if (printing_)
        screen_.window = rect;
    else
        window_ = rect;
    return true;
}

bool Viewport::RecomputeViewport() { return derive(false); }

bool Viewport::RecomputeViewportLight() { return derive(true); }

bool Viewport::resize(const PixelRect& clientRect)
{
    return setWindowRect(clientRect) && RecomputeViewport();
}

bool Viewport::derive(bool light)
{
    const int64_t w = window_.width();
    const int64_t h = window_.height();
    const int64_t wp = printing_ ? w + 2 * int64_t(marginX_) : w;
    const int64_t hp = printing_ ? h + 2 * int64_t(marginY_) : h;
    if (w <= 0 || h <= 0 || wp <= 0 || hp <= 0)
        return false; // an infinite world scale: keep what we have
    farLimit_ = saturate(printing_ ? 3 * std::max(wp, hp) : 9 * std::max(w, h));

    // The zoom ratio relative to the whole world survives the size change.
    double r = worldScale_ / scale_;
    if (!usableScale(r))
        r = 1.0;
    double r2 = worldScale_ / symbolSize_;
    if (!usableScale(r2))
        r2 = worldScale_ / style_.symbolSize;

    cx_ = static_cast<int32_t>(wp / 2);
    cy_ = static_cast<int32_t>(hp / 2);
    worldScale_ = kWorldMinutesWide / double(wp);
    scale_ = worldScale_ / r;
    // On paper the symbols keep their size relative to the chart.
    symbolSize_ = (light || printing_) ? worldScale_ / r2 : style_.symbolSize;
    width_ = static_cast<int32_t>(w);
    height_ = static_cast<int32_t>(h);
    widthF_ = double(wp);
    heightF_ = double(hp);
    scaleFonts();
    if (!light && hasStarted())
        ClampViewport();
    scaleX_ = scale_;
    scaleY_ = yFactor_ * scale_;
    return true;
}

void Viewport::scaleFonts()
{
    deviceFactor_ = printing_ ? std::max(width_, height_) / 1800.0 : desktopWidth_ / 1024.0;
    const double factor = style_.textSize * deviceFactor_;
    fonts_[0] = style_.chartFont;
    fonts_[1] = style_.workFont;
    // Both heights follow the first font; each weight its own.
    const int32_t height = truncSaturated(style_.chartFont.height * factor);
    fonts_[0].height = height;
    fonts_[1].height = height;
    fonts_[0].weight = truncSaturated(style_.chartFont.weight * factor);
    fonts_[1].weight = truncSaturated(style_.workFont.weight * factor);
}

bool Viewport::startUp(const PixelRect& clientRect)
{
    if (clientRect.width() <= 0 || clientRect.height() <= 0)
        return false;
    window_ = clientRect;
    xOffset_ = 0.0;
    yOffset_ = 0.0;
    minimumScale_ = kMinimumScale;
    worldScale_ = kWorldMinutesWide / clientRect.width();
    scale_ = worldScale_;
    derive(true);
    symbolSize_ = style_.symbolSize;
    ClampViewport();
    return true;
}

void Viewport::restoreView(double scale, double xOffset, double yOffset)
{
    if (usableScale(scale) && std::isfinite(xOffset) && std::isfinite(yOffset)) {
        scale_ = scale;
        xOffset_ = xOffset;
        yOffset_ = yOffset;
    }
    RecomputeViewport();
    scaleX_ = scale_;
    scaleY_ = yFactor_ * scale_;
}

void Viewport::setView(double scale, double xOffset, double yOffset)
{
    if (!usableScale(scale) || !std::isfinite(xOffset) || !std::isfinite(yOffset))
        return;
    scale_ = scale;
    xOffset_ = xOffset;
    yOffset_ = yOffset;
    if (hasStarted())
        ClampViewport();
    scaleX_ = scale_;
    scaleY_ = yFactor_ * scale_;
}

bool Viewport::beginPrinting(const PixelRect& printableRect, int marginX, int marginY)
{
    if (printing_ || printableRect.width() <= 0 || printableRect.height() <= 0 || marginX < 0 || marginY < 0)
        return false;
    screen_ = {window_, scale_, xOffset_, yOffset_};
    printing_ = kPrintingFlag;
    marginX_ = marginX;
    marginY_ = marginY;
    window_ = printableRect;
    return RecomputeViewport();
}

void Viewport::endPrinting()
{
    if (!printing_)
        return;
    printing_ = 0;
    marginX_ = 0;
    marginY_ = 0;
    window_ = screen_.window;
    RecomputeViewport();
    // The ratio carried through both recomputes brings the zoom back only up
    // to rounding, and the page clamp may have moved the centre: take the
    // screen values of print start as they were.
    setView(screen_.scale, screen_.xOffset, screen_.yOffset);
}

int Viewport::printMargin(int dotsPerInch)
{
    return static_cast<int>(int64_t(dotsPerInch) * 75 / 254);
}

} // namespace kesmar
