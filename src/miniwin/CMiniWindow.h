#pragma once
#include "chartdata/ChartCatalogue.h"
#include "chartdata/MiniWindowState.h"
#include "core/Viewport.h"
#include "view/ChartPicture.h"
#include "view/ChartViewContext.h"
#include "view/CommandIds.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace kesmar {

class MiniWindowMenu;

// One mini window: a floating tool window with its own viewport and its own
// copy of the chart catalogue, drawn by a chart picture of its own (off the
// GUI thread, like the chart view). Numbers 1 to 4 are the numbered windows,
// 5 the pickup magnifier. Closing or minimising only hides it; the set of
// windows (MiniWindowSet) decides what that means for its record.
class CMiniWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPickup = 5;
    static constexpr int kMinimumRectangle = 10; // pixels, both sides

    // `viewContext` and `viewPicture` are the chart view's; the window shares
    // the configuration, vessel and program folder and copies the rest.
    CMiniWindow(int number, const ChartViewContext& viewContext, ChartPicture& viewPicture, QWidget* parent);
    ~CMiniWindow() override;

    int number() const { return number_; }
    int shownNumber() const { return shown_; }
    void setShownNumber(int shown) { shown_ = shown; }
    bool isInitialised() const { return initialised_; }

    // Opening over `rect` (client pixels of `view`, right and bottom
    // exclusive): the client area covers the rectangle and shows what the
    // view shows there (the pickup window four times magnified).
    void initFromView(const QWidget& view, const QRect& rect);
    // Start-up: the stored record's place, scale and offsets.
    void restore(const MiniWindowState& state);

    // Moves the window so that its frame covers `frame` (screen pixels).
    // Until the window manager has placed it, size changes keep the scale
    // and offsets: the zoom belongs to the rectangle asked for.
    void placeFrame(const QRect& frame);
    // The frame rectangle in screen pixels: where the window is, or where it
    // was asked to be while the window manager has not placed it yet.
    QRect frameRect() const { return frameRect_; }
    // Scale, offsets, shown number and frame rectangle.
    MiniWindowState record() const;

    // While the program quits, a close is the end and no longer a hide.
    void setClosingDown(bool closing) { closingDown_ = closing; }

    // Shown normally and its timer running; hidden and the timer stopped.
    void showWindow();
    void hideWindow();
    static int timerPeriod(int number);
    const QTimer& markTimer() const { return timer_; }

    // One viewport code (Viewport::ZoomPan; `rect` for the rectangle code,
    // right and bottom exclusive), then re-selection and repaint.
    bool zoomPan(int code, const QRect& rect = QRect());

    const Viewport& viewport() const { return viewport_; }
    const ChartCatalogue& charts() const { return charts_; }
    ChartPicture& picture() { return picture_; }
    MiniWindowMenu& menu() { return *menu_; }
    QPoint lastRightClick() const { return rightClick_; }

signals:
    // The close box or the minimise box.
    void closeRequested(int number);
    // The window lost activation.
    void deactivated(int number);
    // Menu entry "Bojen-Info anzeigen", with the remembered right-click point.
    void buoyInfoRequested(int number, QPoint clientPoint);
    // A left click that made no rectangle, at `clientPoint`.
    void clicked(int number, QPoint clientPoint);
    void cursorPositionChanged(const QString& latitude, const QString& longitude);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class MouseState { None, Dragging, JustActivated };

    void copyFromView();
    void applyClientSize(QSize client);
    static std::optional<QMargins> frameMarginsOf(const QWidget& widget);
    bool isDecorated() const;
    QMargins frameMarginsGuess() const;
    void frameMoved();
    void tick();
    void menuCommand(CommandId id);
    QRect bandRect() const;

    const int number_;
    ChartViewContext viewContext_;
    ChartPicture& viewPicture_;
    Viewport viewport_;
    ChartCatalogue charts_;
    // The context the window's own picture draws from: its own viewport and
    // chart list, the shared configuration and vessel.
    ChartViewContext ownContext_;
    ChartPicture picture_;
    QTimer timer_;
    MiniWindowMenu* menu_ = nullptr;

    int shown_ = 0;
    bool initialised_ = false;
    bool closingDown_ = false;
    QRect frameRect_;
    // Asked for and not yet confirmed by the window manager.
    std::optional<QRect> pendingFrame_;
    int corrections_ = 0;
    static constexpr int kSettleChecks = 20;
    int settleChecks_ = 0;
    // Without any decoration the window manager's placement is taken after
    // this many checks (30 s) all the same.
    static constexpr int kUndecoratedChecks = 200;
    int undecoratedChecks_ = 0;
    QTimer settle_;
    struct View {
        double scale, xOffset, yOffset;
    };
    std::optional<View> pendingView_;

    MouseState mouse_ = MouseState::None;
    QPoint bandStart_;
    QPoint bandEnd_;
    QPoint rightClick_;
    // The vessel position at the previous tick and the pixel of the mark.
    double tickLongitude_ = 0.0;
    double tickLatitude_ = 0.0;
    std::optional<QPoint> markPixel_;
};

} // namespace kesmar
