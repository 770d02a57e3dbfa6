#pragma once
#include "view/ChartPicture.h"
#include "view/ChartPrinting.h"
#include "view/ChartViewContext.h"
#include "view/CommandIds.h"
#include "view/InteractionMode.h"

#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

class QPainter;

namespace kesmar {

class PointInfoController;
class ViewCommands;

// The chart view: fills the main window, carries the view's start-up and
// shut-down, turns keys and commands into Viewport::ZoomPan steps and paints
// the chart picture.
class CKesmarView : public QWidget {
    Q_OBJECT
public:
    explicit CKesmarView(const ChartViewContext& context, QWidget* parent = nullptr);
    ~CKesmarView() override;

    // The view's initial update: loads CHART.CFG and CHARTLIST.LST (or the
    // built-in chart set), restores the stored view position, rescales and
    // selects the charts. Moves StartupPhase from 0 over 1 to 2.
    void initialUpdate();
    // The view's destruction: writes CHART.CFG with the current position.
    // Runs once; later calls do nothing.
    void shutDown();

    // One zoom or pan step (Viewport::ZoomPan codes), then the charts are
    // re-selected and the view repaints. `rectangle` matters for code 0 only.
    // Returns false for an unknown code (nothing changes, no repaint).
    bool zoomPan(int code, const QRect& rectangle = QRect());

    // Kept by the mouse of the view commands.
    InteractionMode interactionMode() const;
    void setInteractionMode(InteractionMode mode);
    // Measuring, the route help line, the mouse and popup menu 102.
    ViewCommands& viewCommands() { return *viewCommands_; }
    // The point information toggle, its crosshair and window.
    PointInfoController& pointInfo() { return *pointInfo_; }

    const ChartViewContext& context() const { return context_; }
    // The chart picture (drawn off the GUI thread) and the printing commands.
    ChartPicture& picture() { return picture_; }
    ChartPrinting& printing() { return printing_; }

signals:
    // Text for the status bar's message pane.
    void statusMessage(const QString& text);
    // Latitude and longitude text of the point under the mouse (panes 1, 2).
    void cursorPositionChanged(const QString& latitude, const QString& longitude);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void bindViewCommands();
    // A resize after the start-up: the stored view comes back unchanged as
    // long as nobody moved it, whatever sizes the window manager goes through.
    void applyResize();
    // ---- chart picture: everything the paint draws lives here --------------
    void paintChart(QPainter& painter);

    ChartViewContext context_;
    ViewCommands* viewCommands_ = nullptr;
    PointInfoController* pointInfo_ = nullptr;
    bool shutDownDone_ = false;
    // The view position read at start-up, and the one last set from it.
    struct ViewPosition {
        double scale = 0.0;
        double xOffset = 0.0;
        double yOffset = 0.0;
        bool operator==(const ViewPosition&) const = default;
    };
    std::optional<ViewPosition> storedView_;
    ViewPosition restoredView_;
    ChartPicture picture_{context_, *this};
    ChartPrinting printing_{context_, picture_, *this};
};

} // namespace kesmar
