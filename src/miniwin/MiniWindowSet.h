#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

class QWidget;

namespace kesmar {

class CKesmarView;
class CMiniWindow;
class PointInfoWindow;

// The four numbered mini windows and the pickup magnifier of the chart view:
// opening from a right-button drag, the pickup on a double click, the toolbar
// toggles 32803-32806 with their check marks, arrange (32807), closing, the
// buoy information of a mini window, and the records in CHART.CFG.
class MiniWindowSet : public QObject {
    Q_OBJECT
public:
    static constexpr int kNumbered = 4;

    // Binds the commands and the view's mouse; the windows float over `owner`.
    MiniWindowSet(CKesmarView& view, QWidget& owner);
    ~MiniWindowSet() override;

    // Start-up, after the view's first update: every numbered window from its
    // record, the shown ones shown. Runs once; it also runs by itself at the
    // view's first event after its start-up.
    void restoreAll();
    // Before CHART.CFG is written at the end: the records of the live windows.
    void saveAll();

    // The release of a right-button drag (view client pixels, right and
    // bottom exclusive). False when no window was opened for lack of size.
    bool openFromDrag(const QRect& rect);
    // The double click: the pickup window over `rect` (view client pixels).
    void openPickup(const QRect& rect);
    void toggle(int number);
    void arrange();
    // The close box or the minimise box of window `number`.
    void close(int number);
    // "Bojen-Info anzeigen" in window `number` at `clientPoint`.
    void buoyInfo(int number, QPoint clientPoint);

    CMiniWindow& window(int number) { return *windows_[size_t(number - 1)]; }
    int arrangeState() const;
    // The window the point information belongs to, 0 for none.
    int pointInfoOwner() const { return infoOwner_; }
    PointInfoWindow& pointInfoWindow() { return *info_; }

    // Where messages go; by default a message box captioned "Kesmar".
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }
    // Played instead of the system beep when no buoy is near (tests).
    void setErrorSound(std::function<void()> sound) { errorSound_ = std::move(sound); }

signals:
    void cursorPositionChanged(const QString& latitude, const QString& longitude);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindCommands();
    void updateChecks();
    void setArrangeState(int state);
    void saveRecord(int number);
    void removePointInfo();
    void noBuoyNear();
    QRect viewOnScreen() const;

    CKesmarView& view_;
    QWidget& owner_;
    std::array<CMiniWindow*, 5> windows_{};
    PointInfoWindow* info_ = nullptr;
    int infoOwner_ = 0;
    bool restored_ = false;
    std::function<void(const QString&)> messageSink_;
    std::function<void()> errorSound_;
};

} // namespace kesmar
