#include "nmea/SimulatedTrack.h"

#include "nmea/NmeaInput.h"
#include "nmea/NmeaParser.h"
#include "nmea/NmeaLog.h"
#include "nmea/VesselState.h"

#include <QDateTime>
#include <QFile>
#include <cmath>

namespace kesmar {
namespace {

constexpr int kMaxLineLength = 250;
constexpr double kDegreesPerRadian = 57.295779513246465;

// Plane bearing in minutes, north 0, east 90, without a cosine correction;
// the small offsets keep atan2 defined for equal coordinates.
double legCourse(double lon1, double lat1, double lon2, double lat2)
{
    if (lon1 == lon2 && lat1 == lat2)
        return 0.0;
    double b = 180.0 + kDegreesPerRadian * std::atan2(lon1 - lon2 + 0.0001, lat1 - lat2 + 0.0001);
    return b >= 359.999 ? b - 360.0 : b;
}

// The track lines are stored GGA sentences: the position is fields 2-5.
std::optional<NmeaPosition> trackPosition(QByteArrayView line)
{
    const NmeaParser::Fields fields = NmeaParser::splitFields(line);
    if (fields.size() < 6)
        return std::nullopt;
    return NmeaParser::parsePosition(fields[2], fields[3], fields[4], fields[5]);
}

} // namespace

SimulatedTrack::SimulatedTrack(NmeaInput& input, QObject* parent) : QObject(parent), input_(input)
{
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &SimulatedTrack::tick);
    // The first real sentence ends the simulation for good.
    connect(&input_, &NmeaInput::sentenceArrived, this, &SimulatedTrack::stop);
}

int SimulatedTrack::load(const QString& filePath)
{
    stop();
    report_ = LoadReport{};
    QFile file(filePath);
    if (!file.exists())
        return 0;
    if (!file.open(QIODevice::ReadOnly)) {
        report_.error = Error::inFile(filePath, file.errorString());
        return 0;
    }
    double previousLon = 32000.0;
    double previousLat = 32000.0;
    for (int lines = 0; lines < kMaxPoints && !file.atEnd(); ++lines) {
        QByteArray line = file.readLine(kMaxLineLength);
        if (line.isEmpty() && file.error() != QFileDevice::NoError) {
            report_.error = Error::atLine(filePath, lines + 1, file.errorString());
            break;
        }
        if (!line.endsWith('\n') && !file.atEnd()) {
            // Too long for a stored sentence: skipped whole, not read as two.
            while (!file.atEnd() && !file.readLine(kMaxLineLength).endsWith('\n')) {
            }
            ++report_.skippedLines;
            continue;
        }
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const std::optional<NmeaPosition> p = trackPosition(line);
        if (!p) {
            if (!line.trimmed().isEmpty())
                ++report_.skippedLines;
            continue;
        }
        if (p->longitudeMinutes == previousLon && p->latitudeMinutes == previousLat)
            continue;
        if (input_.log().append(line))
            emit input_.logAppended();
        longitudes_.push_back(p->longitudeMinutes);
        latitudes_.push_back(p->latitudeMinutes);
        previousLon = p->longitudeMinutes;
        previousLat = p->latitudeMinutes;
    }
    if (!longitudes_.empty()) {
        input_.state().gaugeValue = 0.0;
        timer_.start();
    }
    return pointCount();
}

void SimulatedTrack::stop()
{
    timer_.stop();
    longitudes_.clear();
    latitudes_.clear();
    index_ = 0;
    forward_ = true;
    tickCounter_ = 0;
    turnIncrement_ = 0.0;
    smoothedHeading_ = 0.0;
}

void SimulatedTrack::tick()
{
    if (longitudes_.empty())
        return;
    if (tickCounter_ == 0)
        step();
    else
        turn();
}

void SimulatedTrack::step()
{
    VesselState& s = input_.state();
    s.longitudeMinutes = longitudes_[index_];
    s.latitudeMinutes = latitudes_[index_];
    input_.setPanelText(NmeaPanelField::Satellites, QStringLiteral("08"));
    input_.setPanelText(NmeaPanelField::Height, QStringLiteral("0000"));
    input_.setPanelText(NmeaPanelField::Speed, QStringLiteral(" 5.2 Kn"));

    const int course = int(legCourse(s.previousSimLongitudeMinutes, s.previousSimLatitudeMinutes,
                                     s.longitudeMinutes, s.latitudeMinutes));
    if (s.lastSimulatedCourse == -9999)
        s.lastSimulatedCourse = course;
    int turnDegrees = (course - s.lastSimulatedCourse + 360) % 360;
    if (turnDegrees > 180)
        turnDegrees -= 360;
    tickCounter_ = 10;
    turnIncrement_ = turnDegrees * 0.1;
    smoothedHeading_ = s.lastSimulatedCourse;
    s.lastSimulatedCourse = course;

    input_.showPosition();
    s.previousSimLongitudeMinutes = s.longitudeMinutes;
    s.previousSimLatitudeMinutes = s.latitudeMinutes;

    const int last = pointCount() - 1;
    if (forward_) {
        if (index_ < last)
            ++index_;
        else {
            forward_ = false;
            index_ = std::max(0, index_ - 1);
        }
    } else {
        if (index_ > 0)
            --index_;
        else {
            forward_ = true;
            index_ = std::min(last, index_ + 1);
        }
    }

    const QDateTime now = QDateTime::currentDateTime();
    input_.setTime(now.time().hour(), now.time().minute(), now.time().second());
    input_.setDate(now.date().day(), now.date().month(), now.date().year());
}

void SimulatedTrack::turn()
{
    --tickCounter_;
    if (turnIncrement_ == 0.0)
        return;
    smoothedHeading_ += turnIncrement_;
    // The heading turns across north in either direction: keep it in 0-359
    // so that the panel never shows a negative or a 360+ course.
    const int heading = ((int(smoothedHeading_) % 360) + 360) % 360;
    VesselState& s = input_.state();
    input_.setPanelText(NmeaPanelField::CourseMagnetic, QString::asprintf("%3d°", heading));
    input_.courseUpdate(heading);
    s.headingArrowDegrees = (heading + 180) % 360;
    input_.setWindAngle(s.headingArrowDegrees);
    s.gaugeValue = heading * 0.02 + 2.0;
    input_.setDepthText(QString::asprintf("%3.1f", s.gaugeValue));
}

} // namespace kesmar
