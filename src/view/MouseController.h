#pragma once
#include "view/InteractionMode.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>

class QContextMenuEvent;
class QMouseEvent;
class QPainter;
class QWheelEvent;
class QWidget;

namespace kesmar {

class InteractionOverlay;
class Measurement;
class RouteLine;
class Viewport;

// The mouse on the chart view: zoom rectangles (left drag), mini-window
// rectangles (right drag), measuring and route clicks, the context menu,
// the cursor position, wheel zoom and middle-button panning.
//
// Installs itself as event filter of the view. Transient marks (focus
// rectangle, rubber band, fixed measuring segments) are drawn inverted by a
// transparent overlay child, so the chart picture itself is never touched.
class MouseController : public QObject {
    Q_OBJECT
public:
    static constexpr double kWheelZoomFactor = 1.2;
    static constexpr int kMinimumRectangle = 10; // pixels, both sides

    MouseController(QWidget& view, Viewport& viewport, Measurement& measurement, RouteLine& route);
    ~MouseController() override;

    // Called after every viewport change made here (re-select charts, repaint).
    void setViewportChanged(std::function<void()> handler) { viewportChanged_ = std::move(handler); }
    // Takes a right-drag rectangle for a new mini window; false when there is
    // none to make (the release then counts as a plain right click).
    void setMiniWindowHandler(std::function<bool(const QRect&)> handler) { miniWindow_ = std::move(handler); }

    InteractionMode mode() const { return mode_; }
    void setMode(InteractionMode mode);
    // The frame became active: the next left click only ends this state.
    void setJustActivated();
    // The point where the right button was last released without a rectangle.
    QPoint lastRightClick() const { return lastRightClick_; }

    // The context-menu request (right click or the menu key): ends a
    // measurement in progress, or asks for the menu at `globalPos`.
    void requestContextMenu(const QPoint& globalPos);

    // Draws the transient marks (called by the overlay).
    void paintOverlay(QPainter& painter) const;
    // Repaints the transient marks after a command changed the measurement.
    void refreshOverlay();

    // The zoom-rectangle end for a drag from `start` to `mouse` in a window of
    // `size`: the rectangle keeps the window's aspect ratio.
    static QPoint aspectEnd(const QPoint& start, const QPoint& mouse, const QSize& size);

signals:
    void statusMessage(const QString& text);
    void cursorPositionChanged(const QString& latitude, const QString& longitude);
    void contextMenuRequested(const QPoint& globalPos);
    // Left double click: the pickup window on the rectangle around `point`.
    void pickupRequested(const QRect& rectangle);
    void routeChanged();
    // A measurement was ended by the context-menu request.
    void measuringEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leftPress(const QPoint& p);
    void leftRelease();
    void rightPress(const QPoint& p);
    void rightRelease(const QPoint& p, const QPoint& globalPos);
    void move(const QPoint& p);
    void doubleClick(const QPoint& p);
    void wheel(QWheelEvent* event);
    void middleDrag(const QPoint& p);
    void contextMenuEvent(QContextMenuEvent* event);
    void showPosition(const QPoint& p);
    QRect dragRect() const;
    void endDrag();
    void changed();
    void updateOverlayArea(const QRect& before);
    QRect marksBounds() const;

    QWidget& view_;
    Viewport& viewport_;
    Measurement& measurement_;
    RouteLine& route_;
    InteractionOverlay* overlay_;
    std::function<void()> viewportChanged_;
    std::function<bool(const QRect&)> miniWindow_;

    InteractionMode mode_ = InteractionMode::Normal;
    QPoint dragStart_;
    QPoint dragEnd_;
    QPoint lastRightClick_;
    QPoint bandEndPixel_;
    bool panning_ = false;
    QPoint panStart_;
    double panXOffset_ = 0.0;
    double panYOffset_ = 0.0;
    int wheelRemainder_ = 0;
};

} // namespace kesmar
