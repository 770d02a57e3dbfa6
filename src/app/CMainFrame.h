#pragma once
#include <QMainWindow>

class QToolBar;

namespace kesmar {

class CKesmarApp;
class CKesmarView;
class CNmeaPanel;
class CommandSet;
class KesmarStatusBar;
class MiniWindowSet;
class NmeaInput;
class NmeaSlot;
class NavigationController;
class SimulatedTrack;

// The program's one top-level window "Kesmar": menu, docking toolbar, status
// bar with six panes, the chart view as its client, the floating instrument
// panel, the NMEA input and the simulated track. Its destruction saves the
// window placement and the view export keys to KMR.INI.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Runs the create handler: bars, panel, simulated track from
    // "DEMOCOOR.DAT", the vessel's start position.
    explicit CMainFrame(CKesmarApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKesmarView& view() { return *view_; }
    CommandSet& commands() { return *commands_; }
    KesmarStatusBar& panes() { return *statusBar_; }
    QToolBar& toolBar() { return *toolBar_; }
    CNmeaPanel& nmeaPanel() { return *panel_; }
    NmeaInput& nmeaInput() { return *nmeaInput_; }
    SimulatedTrack& simulatedTrack() { return *track_; }
    NavigationController& navigation() { return *navigation_; }
    MiniWindowSet& miniWindows() { return *miniWindows_; }

    // Sentences from the message slot go to the NMEA input; read errors are
    // shown in a message box.
    void attachSlot(NmeaSlot& slot);

    // The destroy handler (timer off, WindowPos, the four MAP keys), then the
    // chart view's shut-down (CHART.CFG). Runs once; closing the window runs it.
    void saveAtExit();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createBars();
    void createNmea();
    void bindFrameCommands();
    void writeViewKeys();

    CKesmarApp& app_;
    CommandSet* commands_ = nullptr;
    CKesmarView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    KesmarStatusBar* statusBar_ = nullptr;
    CNmeaPanel* panel_ = nullptr;
    NmeaInput* nmeaInput_ = nullptr;
    SimulatedTrack* track_ = nullptr;
    NavigationController* navigation_ = nullptr;
    MiniWindowSet* miniWindows_ = nullptr;
    bool saved_ = false;
};

} // namespace kesmar
