#pragma once
#include "app/AppSettings.h"
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/IniFile.h"
#include "core/Viewport.h"
#include "nmea/AisTargetList.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaSlot.h"
#include "nmea/OwnTrack.h"
#include "nmea/VesselState.h"
#include "view/StartupPhase.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace kesmar {

class CMainFrame;

// The application object: owns every application-wide state object (the
// settings, the viewport, chart catalogue and configuration, vessel state,
// NMEA log and message slot) and hands them to the windows by reference.
// Runs the start-up sequence and the saves at the end.
class CKesmarApp {
public:
    struct Options {
        // Empty: the current directory at start.
        QString programFolder;
        // Empty: NmeaSlot::defaultPath().
        QString slotPath;
        // Shows a failure; default: a warning box captioned "Kesmar".
        std::function<void(QWidget* parent, const QString& text)> errorBox;
    };

    CKesmarApp();
    explicit CKesmarApp(Options options);
    ~CKesmarApp();
    CKesmarApp(const CKesmarApp&) = delete;
    CKesmarApp& operator=(const CKesmarApp&) = delete;

    // The start-up sequence after the single-instance check: KMR.INI and its
    // keys, the main frame with the chart view and its start-up, the stored
    // window placement, the NMEA message slot. false: the program must end
    // (the settings have then been saved as at a normal end).
    bool InitInstance();
    // The normal end: the frame's and the view's saves, then the windows go.
    // Runs once.
    void ExitInstance();

    // Brings the main window to the front (a second start asked for it).
    void raiseMainWindow();

    // Writes one key to KMR.INI at once, re-reading the file first so that
    // keys written meanwhile by someone else survive. False when the file
    // could not be replaced.
    bool writeProfileString(const QString& section, const QString& key, const QString& value);

    const QString& programFolder() const { return programFolder_; }
    QString profilePath() const { return profile_.path(); }
    IniFile& profile() { return profile_; }
    const AppSettings& settings() const { return settings_; }
    StartupPhase& startupPhase() { return startupPhase_; }
    Viewport& viewport() { return viewport_; }
    ChartCatalogue& catalogue() { return catalogue_; }
    ChartConfig& chartConfig() { return chartConfig_; }
    VesselState& vessel() { return vessel_; }
    NmeaLog& nmeaLog() { return nmeaLog_; }
    NmeaSlot& nmeaSlot() { return nmeaSlot_; }
    AisTargetList& aisTargets() { return aisTargets_; }
    OwnTrack& ownTrack() { return ownTrack_; }
    CMainFrame* mainFrame() const { return frame_.get(); }

    void showError(QWidget* parent, const QString& text) const;

private:
    Options options_;
    QString programFolder_;
    IniFile profile_;
    AppSettings settings_;
    StartupPhase startupPhase_ = StartupPhase::BeforeViewStart;
    Viewport viewport_;
    ChartCatalogue catalogue_;
    ChartConfig chartConfig_;
    VesselState vessel_;
    NmeaLog nmeaLog_;
    NmeaSlot nmeaSlot_;
    AisTargetList aisTargets_;
    OwnTrack ownTrack_;
    std::unique_ptr<CMainFrame> frame_; // last: goes before the state it uses
    bool exited_ = false;
};

} // namespace kesmar
