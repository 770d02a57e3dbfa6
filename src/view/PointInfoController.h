#pragma once
#include "chartdata/PointRecord.h"
#include "view/ChartViewContext.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QWidget;

namespace kesmar {

class ChartPicture;
class PointInfoWindow;

// The point information toggle (command "PointInfo") of the chart view:
// the first use finds the buoyage point nearest to the last right click,
// marks it with the crosshair and shows its description beside it; the
// next use, or dismissing the window, removes both. Nothing near: the
// error sound, no change.
class PointInfoController : public QObject {
    Q_OBJECT
public:
    // `clickPoint` gives the pixel of the last right click in the view.
    PointInfoController(QWidget& view, const ChartViewContext& context, ChartPicture& picture,
                        std::function<QPoint()> clickPoint);
    ~PointInfoController() override;

    // The command: select and show, or remove the selection.
    void toggle();
    // Marker state: 10 while a point is selected and marked, else 0.
    int markerState() const { return selected_ ? kSelected : 0; }
    const std::optional<PointRecord>& selected() const { return selected_; }
    PointInfoWindow& window() { return *window_; }

    // Called instead of the system beep when nothing is near (tests).
    void setErrorSound(std::function<void()> sound) { errorSound_ = std::move(sound); }

    static constexpr int kSelected = 10;

private:
    void select(QPoint pixel);
    void unselect();

    QWidget& view_;
    ChartViewContext context_;
    ChartPicture& picture_;
    std::function<QPoint()> clickPoint_;
    std::function<void()> errorSound_;
    PointInfoWindow* window_ = nullptr;
    std::optional<PointRecord> selected_;
};

} // namespace kesmar
