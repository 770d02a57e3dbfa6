#pragma once
#include "nmea/AisCpa.h"
#include "nmea/AisMessage.h"
#include "view/CKesmarView.h"
#include "view/FollowVessel.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QWidget;

namespace kesmar {

class AisTargetList;
class PointInfoWindow;
class CommandSet;
class IniFile;
class NmeaInput;
class OwnTrack;
class Viewport;
struct VesselState;

// What the frame adds to the chart beyond the classic marks: the AIS targets
// from the NMEA input, the vessel's track, "Schiff verfolgen", and routes
// and tracks in GPX files. Draws through the chart picture's overlay (screen
// and printed page); the state it works on belongs to the application.
class NavigationController : public QObject {
    Q_OBJECT
public:
    struct Parts {
        AisTargetList& targets;
        OwnTrack& track;
        VesselState& vessel;
        const IniFile& profile;
        QString programFolder;
    };

    NavigationController(Parts parts, CKesmarView& view, NmeaInput& input, CommandSet& commands, QWidget& window);
    ~NavigationController() override;

    // [AIS] CpaWarnNm (default 0.5) and TcpaWarnMin (default 12) of KMR.INI.
    static AisCpa::Limits readLimits(const IniFile& profile);
    const AisCpa::Limits& limits() const { return limits_; }

    // Milliseconds on the target list's clock (tests put their own).
    void setClock(std::function<int64_t()> clock) { clock_ = std::move(clock); }
    int64_t now() const { return clock_(); }

    FollowVessel& follow() { return follow_; }
    void setFollowing(bool on);

    // The file commands without their dialogs; errors are shown as messages.
    bool saveRoute(const QString& path);
    bool saveTrack(const QString& path);
    bool loadRoute(const QString& path);
    // Where messages go; by default a warning box captioned "Kesmar".
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }

    // The target's data in the point-information window, for the target at
    // a view pixel; false when none is there.
    bool showTargetAt(QPoint viewPixel);
    PointInfoWindow& infoWindow();

    // Everything AIS and track draw, for any viewport.
    void paintOverlay(QPainter& painter, const Viewport& viewport);

    // Marks lost targets, removes old ones (also run by a timer).
    void ageTargets();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindCommands(CommandSet& commands);
    void aisMessage(const AisMessage& message);
    void vesselMoved();
    void scheduleRepaint();
    void repaint();
    void showMessage(const QString& text);
    QString targetText(uint32_t mmsi) const;
    std::optional<AisCpa::Track> ownTrack() const;

    Parts parts_;
    CKesmarView& view_;
    QPointer<CKesmarView> viewAlive_;
    CommandSet& commands_;
    QWidget& window_;
    AisCpa::Limits limits_;
    FollowVessel follow_;
    QElapsedTimer elapsed_;
    std::function<int64_t()> clock_;
    QTimer ageTimer_;
    QTimer repaintTimer_;
    std::vector<QPoint> trackBuffer_;
    uint32_t shownMmsi_ = 0;
    QString shownText_;
    double startLatitude_ = 0.0;
    double startLongitude_ = 0.0;
    bool startLeft_ = false;
    QPoint pressPoint_;
    bool pressed_ = false;
    std::function<void(const QString&)> messageSink_;
};

} // namespace kesmar
