#pragma once
#include "nmea/AisReceiver.h"
#include "nmea/NmeaPanelField.h"
#include "nmea/NmeaSentence.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

namespace kesmar {

class NmeaLog;
struct VesselState;

// What applying one sentence did to the state, and the values it carries
// for the panel (also used by kesmar-nmea --print, which applies the same
// rules without a GUI).
struct NmeaApplied {
    bool positionStored = false; // valid fix with all four fields
    bool timeRead = false;       // a time field was taken
    bool dateRead = false;
    bool timeOrDateChanged = false;
    std::optional<int> courseTrue;     // VTG true course, whole degrees 0-359
    bool courseChanged = false;
    std::optional<int> courseMagnetic; // VTG, whole degrees
    std::optional<double> speedKnots;  // VTG
    std::optional<int> satellites;     // GGA
    std::optional<double> altitudeMeters; // GGA
    bool showPosition = false;         // a position sentence: run "show position"
};

// The receive path of one datagram: monitor log, parse, VesselState update
// and the texts for the status bar GPS panes and the instrument panel.
// The state is updated for every sentence at once; the display signals are
// coalesced (at most one batch per displayInterval) so a receiver sending
// thousands of sentences a second cannot flood the GUI.
class NmeaInput : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kStartPosition = "5249.897,S,1005.477,W";

    NmeaInput(VesselState& state, NmeaLog& log, QObject* parent = nullptr);

    // 0 = emit display signals immediately (tests); default 50 ms.
    void setDisplayInterval(int milliseconds);
    // Emits what is pending now.
    void flushDisplay();

    // Applies a parsed sentence to `state` by the plotter's rules: a bad
    // checksum or an invalid fix never moves the vessel; empty fields change
    // nothing. Pure, no signals.
    static NmeaApplied apply(const NmeaSentence& sentence, VesselState& state);

    // Display texts, formatted as the panel and status bar show them.
    static QString latitudeRowText(double latitudeMinutes);
    static QString longitudeRowText(double longitudeMinutes);
    static QString latitudePaneText(double latitudeMinutes);   // "%2d°%06.3f%c"
    static QString longitudePaneText(double longitudeMinutes); // "%3d°%06.3f%c"
    static QString utcText(const VesselState& state);          // empty: show nothing

    // Used at frame creation: parse "5249.897,S,1005.477,W" and show it.
    bool setStartPosition(QByteArrayView text = kStartPosition);

    // Building blocks shared with SimulatedTrack.
    void showPosition();
    void setTime(int hour, int minute, int second);
    void setDate(int day, int month, int year);
    void courseUpdate(int degrees);
    void setPanelText(NmeaPanelField field, const QString& text);
    void setWindAngle(int degrees);
    void setDepthText(const QString& text);

    VesselState& state() { return state_; }
    NmeaLog& log() { return log_; }
    const AisCounters& aisCounters() const { return ais_.counters(); }

public slots:
    // One datagram from the slot: any bytes, any length.
    void receiveDatagram(const QByteArray& bytes);

signals:
    // A datagram starting with '$' arrived (stops the simulated track).
    void sentenceArrived();
    // A line was appended to the NMEA log.
    void logAppended();
    // Instrument panel text fields (CNmeaPanel::setFieldText).
    void panelTextChanged(kesmar::NmeaPanelField field, const QString& text);
    // Status bar: pane 4 shows the latitude text, pane 5 the longitude text.
    void gpsLatitudeTextChanged(const QString& text);
    void gpsLongitudeTextChanged(const QString& text);
    // The vessel position changed: redraw the vessel mark.
    void vesselMoved();
    // Instruments: CNmeaPanel::SetCourseText / SetWindAngle / SetDepthText.
    void courseTextChanged(const QString& text);
    void windAngleChanged(int degrees);
    void depthTextChanged(const QString& text);
    // A "!..VDM"/"!..VDO" sentence completed an AIS message.
    void aisMessageReceived(const kesmar::AisMessage& message);

private:
    void refreshTimeLine();
    void scheduleDisplay();
    void receiveAis(QByteArrayView line);

    VesselState& state_;
    NmeaLog& log_;
    AisReceiver ais_;
    QTimer displayTimer_;
    int displayInterval_ = 50;

    QHash<int, QString> pendingPanel_;
    std::optional<QString> pendingLatitudePane_;
    std::optional<QString> pendingLongitudePane_;
    bool pendingMove_ = false;
    std::optional<QString> pendingCourse_;
    std::optional<int> pendingWind_;
    std::optional<QString> pendingDepth_;
};

} // namespace kesmar
