#include "nmea/NmeaInput.h"

#include "nmea/NmeaLog.h"
#include "nmea/NmeaParser.h"
#include "nmea/VesselState.h"

#include <cmath>
#include <cstdlib>

namespace kesmar {
namespace {

// Degrees by integer division of the truncated minutes, the rest minutes.
void splitMinutes(double minutes, int* degrees, double* rest)
{
    double magnitude = std::fabs(minutes);
    *degrees = int(magnitude) / 60;
    *rest = magnitude - 60.0 * *degrees;
}

// Degrees and minutes of a signed value in minutes, with its hemisphere letter.
QString hemisphereText(const char* format, double minutes, char positive, char negative)
{
    int degrees = 0;
    double rest = 0.0;
    splitMinutes(minutes, &degrees, &rest);
    return QString::asprintf(format, degrees, rest, minutes >= 0 ? positive : negative);
}

QByteArrayView firstLine(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\0')
            return bytes.first(i);
    }
    return bytes;
}

int normalizedCourse(double degrees)
{
    int course = int(degrees);
    return course > 359 ? course % 360 : course;
}

} // namespace

NmeaInput::NmeaInput(VesselState& state, NmeaLog& log, QObject* parent)
    : QObject(parent), state_(state), log_(log)
{
    displayTimer_.setSingleShot(true);
    connect(&displayTimer_, &QTimer::timeout, this, &NmeaInput::flushDisplay);
}

void NmeaInput::setDisplayInterval(int milliseconds)
{
    displayInterval_ = std::max(0, milliseconds);
    if (displayInterval_ == 0)
        flushDisplay();
}

NmeaApplied NmeaInput::apply(const NmeaSentence& s, VesselState& state)
{
    NmeaApplied a;
    if (!s.usable() || s.kind == NmeaKind::Unknown)
        return a;
    if (s.kind != NmeaKind::VTG) {
        a.showPosition = true;
        if (s.position && s.positionValid) {
            state.latitudeMinutes = s.position->latitudeMinutes;
            state.longitudeMinutes = s.position->longitudeMinutes;
            a.positionStored = true;
        }
    }
    // GLL carries a time too, but the plotter takes time only from the
    // sentences that come with a fix quality or a date.
    if (s.time && (s.kind == NmeaKind::GGA || s.kind == NmeaKind::RMC)) {
        a.timeRead = true;
        if (state.hour != s.time->hour || state.minute != s.time->minute || state.second != s.time->second) {
            state.hour = s.time->hour;
            state.minute = s.time->minute;
            state.second = s.time->second;
            a.timeOrDateChanged = true;
        }
    }
    if (s.date && s.kind == NmeaKind::RMC) {
        a.dateRead = true;
        if (state.day != s.date->day || state.month != s.date->month || state.year != s.date->year) {
            state.day = s.date->day;
            state.month = s.date->month;
            state.year = s.date->year;
            a.timeOrDateChanged = true;
        }
    }
    if (s.kind == NmeaKind::GGA) {
        a.satellites = s.satellites;
        a.altitudeMeters = s.altitudeMeters;
    }
    if (s.kind == NmeaKind::VTG) {
        if (s.courseTrueDegrees) {
            a.courseTrue = normalizedCourse(*s.courseTrueDegrees);
            a.courseChanged = *a.courseTrue != state.courseDegrees;
            state.courseDegrees = *a.courseTrue;
        }
        if (s.courseMagneticDegrees)
            a.courseMagnetic = normalizedCourse(*s.courseMagneticDegrees);
        if (s.speedKnots) {
            state.speedKnots = *s.speedKnots;
            a.speedKnots = s.speedKnots;
        }
    }
    return a;
}

void NmeaInput::receiveDatagram(const QByteArray& bytes)
{
    const QByteArrayView line = firstLine(bytes);
    if (log_.append(line))
        emit logAppended();
    if (!line.isEmpty() && line[0] == '!') {
        receiveAis(line);
        return;
    }
    if (line.isEmpty() || line[0] != '$')
        return;
    emit sentenceArrived();

    const NmeaSentence s = NmeaParser::parse(line);
    const NmeaApplied a = apply(s, state_);
    if (a.satellites)
        setPanelText(NmeaPanelField::Satellites, QString::asprintf("%02d", *a.satellites));
    if (a.altitudeMeters)
        setPanelText(NmeaPanelField::Height, QString::asprintf("%04d", int(*a.altitudeMeters)));
    if (a.showPosition)
        showPosition();
    if (a.timeOrDateChanged)
        refreshTimeLine();
    if (a.courseTrue) {
        pendingCourse_ = QString::number(*a.courseTrue);
        scheduleDisplay();
    }
    if (a.speedKnots)
        setPanelText(NmeaPanelField::Speed, QString::asprintf("%3.1f Kn", *a.speedKnots));
    if (a.courseMagnetic)
        setPanelText(NmeaPanelField::CourseMagnetic, QString::asprintf("%3d°", *a.courseMagnetic));
}

void NmeaInput::receiveAis(QByteArrayView line)
{
    // AIS reports other ships; it neither moves the vessel nor stops the
    // simulated track.
    const std::optional<AisMessage> message = ais_.receive(line);
    log_.setAisSummary(ais_.counters().summary());
    if (message)
        emit aisMessageReceived(*message);
}

bool NmeaInput::setStartPosition(QByteArrayView text)
{
    const std::optional<NmeaPosition> p = NmeaParser::parsePositionText(text);
    if (p) {
        state_.latitudeMinutes = p->latitudeMinutes;
        state_.longitudeMinutes = p->longitudeMinutes;
    }
    showPosition();
    return p.has_value();
}

QString NmeaInput::latitudeRowText(double latitudeMinutes)
{
    return hemisphereText("   LAT:  % 3d°%06.3f%c", latitudeMinutes, 'N', 'S');
}

QString NmeaInput::longitudeRowText(double longitudeMinutes)
{
    return hemisphereText("  LON:   % 3d°%06.3f%c", longitudeMinutes, 'E', 'W');
}

QString NmeaInput::latitudePaneText(double latitudeMinutes)
{
    return hemisphereText("%2d°%06.3f%c", latitudeMinutes, 'N', 'S');
}

QString NmeaInput::longitudePaneText(double longitudeMinutes)
{
    return hemisphereText("%3d°%06.3f%c", longitudeMinutes, 'E', 'W');
}

QString NmeaInput::utcText(const VesselState& s)
{
    if (s.hour == 0 && s.minute == 0 && s.second == 0 && s.day == 0 && s.month == 0 && s.year == 0)
        return {};
    if (s.day == 0)
        return QString::asprintf("%02d:%02d:%02d  --.--.--", s.hour, s.minute, s.second);
    return QString::asprintf("%02d:%02d:%02d  %02d.%02d.%02d", s.hour, s.minute, s.second, s.day, s.month,
                             s.year);
}

void NmeaInput::showPosition()
{
    bool changed = false;
    if (state_.longitudeMinutes != state_.shownLongitudeMinutes) {
        state_.shownLongitudeMinutes = state_.longitudeMinutes;
        setPanelText(NmeaPanelField::Longitude, longitudeRowText(state_.longitudeMinutes));
        pendingLongitudePane_ = longitudePaneText(state_.longitudeMinutes);
        changed = true;
    }
    if (state_.latitudeMinutes != state_.shownLatitudeMinutes) {
        state_.shownLatitudeMinutes = state_.latitudeMinutes;
        setPanelText(NmeaPanelField::Latitude, latitudeRowText(state_.latitudeMinutes));
        pendingLatitudePane_ = latitudePaneText(state_.latitudeMinutes);
        changed = true;
    }
    if (changed) {
        pendingMove_ = true;
        scheduleDisplay();
    }
}

void NmeaInput::setTime(int hour, int minute, int second)
{
    if (state_.hour == hour && state_.minute == minute && state_.second == second)
        return;
    state_.hour = hour;
    state_.minute = minute;
    state_.second = second;
    refreshTimeLine();
}

void NmeaInput::setDate(int day, int month, int year)
{
    if (state_.day == day && state_.month == month && state_.year == year)
        return;
    state_.day = day;
    state_.month = month;
    state_.year = year;
    refreshTimeLine();
}

void NmeaInput::courseUpdate(int degrees)
{
    int course = degrees > 359 ? degrees % 360 : degrees;
    if (course == state_.courseDegrees)
        return;
    state_.courseDegrees = course;
    pendingCourse_ = QString::number(course);
    scheduleDisplay();
}

void NmeaInput::refreshTimeLine()
{
    const QString text = utcText(state_);
    if (!text.isEmpty())
        setPanelText(NmeaPanelField::Utc, text);
}

void NmeaInput::setPanelText(NmeaPanelField field, const QString& text)
{
    pendingPanel_.insert(int(field), text);
    scheduleDisplay();
}

void NmeaInput::setWindAngle(int degrees)
{
    pendingWind_ = degrees;
    scheduleDisplay();
}

void NmeaInput::setDepthText(const QString& text)
{
    pendingDepth_ = text;
    scheduleDisplay();
}

void NmeaInput::scheduleDisplay()
{
    if (displayInterval_ == 0)
        flushDisplay();
    else if (!displayTimer_.isActive())
        displayTimer_.start(displayInterval_);
}

void NmeaInput::flushDisplay()
{
    displayTimer_.stop();
    const QHash<int, QString> panel = std::exchange(pendingPanel_, {});
    for (auto it = panel.cbegin(); it != panel.cend(); ++it)
        emit panelTextChanged(NmeaPanelField(it.key()), it.value());
    if (auto text = std::exchange(pendingLatitudePane_, std::nullopt))
        emit gpsLatitudeTextChanged(*text);
    if (auto text = std::exchange(pendingLongitudePane_, std::nullopt))
        emit gpsLongitudeTextChanged(*text);
    if (auto text = std::exchange(pendingCourse_, std::nullopt))
        emit courseTextChanged(*text);
    if (auto degrees = std::exchange(pendingWind_, std::nullopt))
        emit windAngleChanged(*degrees);
    if (auto text = std::exchange(pendingDepth_, std::nullopt))
        emit depthTextChanged(*text);
    if (std::exchange(pendingMove_, false))
        emit vesselMoved();
}

} // namespace kesmar
