// The bulletin heading, the section headers and the groups before
// section 1: the land station's date and number, the ship's identifier,
// date and position, then iRixhVV, Nddff, 00fff, 1snTTT and 2snTdTdTd.
#include "weather/SynopDecoder.h"

#include "weather/SynopCharKind.h"
#include "weather/SynopTables.h"

namespace kesmar {

using namespace synopchars;

SynopDecoder::Step SynopDecoder::heading(char sep)
{
    const GroupWindow& w = window_;
    switch (state_) {
    case Heading: {
        if (!w.matches("####+-"))
            return stay();
        record_.headingLetter = w.at(0);
        const char tt[2] = {w.at(0), w.at(1)};
        if (!tables_.ttTable().lookup(std::string_view(tt, 2), record_.ttText))
            return advance(Skip);
        const char aa[2] = {w.at(2), w.at(3)};
        if (!tables_.aaTable().lookup(std::string_view(aa, 2), record_.aaText))
            return advance(Skip);
        record_.bulletinNumber = static_cast<uint8_t>(w.number(4, 5));
        return advance(Centre);
    }
    case Centre: {
        if (!w.matches("??####"))
            return stay();
        const char cccc[4] = {w.at(2), w.at(3), w.at(4), w.at(5)};
        tables_.stations().findByIndicator(std::string_view(cccc, 4), record_.centreEntry);
        return advance(BulletinTime);
    }
    case BulletinTime: {
        if (!w.matches("++++++"))
            return stay();
        uint32_t t = 0;
        if (!timeValue(w.number(0, 1), w.number(2, 3), w.number(4, 5), t)) {
            reject();
            return advance(Skip);
        }
        record_.bulletinTime = t;
        return advance(Bbb);
    }
    case Bbb: {
        if (!w.matches("???###"))
            return isLineEnd(sep) ? advance(SectionStart) : stay();
        const char key[4] = {w.at(3), w.at(4), 'M', 'M'};
        tables_.textTable().lookup(std::string_view(key, 4), record_.bbbText);
        return advance(SectionStart);
    }
    default: // SectionStart
        if (w.matches("??AAXX"))
            return advance(LandDate);
        if (w.matches("??BBXX"))
            return advance(ShipIdentifier);
        return keep();
    }
}

SynopDecoder::Step SynopDecoder::landDate(char sep)
{
    const GroupWindow& w = window_;
    record_.sectionKind |= 1;
    if (!w.matches("?+++++"))
        return isLineEnd(sep) ? advance(LandStation) : stay();
    uint32_t t = 0;
    landSectionRejected_ = !timeValue(w.number(1, 2), w.number(3, 4), 0, t);
    if (landSectionRejected_)
        reject();
    else
        record_.observationTime = t;
    record_.windIndicator = static_cast<uint8_t>(w.number(5, 5));
    counter_ = 0;
    resume_ = LandStation;
    return advance(LandStation);
}

SynopDecoder::Step SynopDecoder::landStation()
{
    const GroupWindow& w = window_;
    if (!w.matches("?+++++"))
        return stay();
    if (!tables_.stations().findByNumber(static_cast<uint32_t>(w.number(1, 5)), record_.stationEntry))
        return advance(Skip);
    record_.flags |= SynopFlag::StationIdentified;
    return advance(PrecipVisibility);
}

// iRixhVV, Nddff and 00fff.
SynopDecoder::Step SynopDecoder::firstGroups()
{
    const GroupWindow& w = window_;
    if (state_ == PrecipVisibility) {
        if (w.matches("???NIL")) {
            reject();
            return advance(Skip);
        }
        if (!w.matches("?+++++"))
            return stay();
        record_.precipIndicator = static_cast<int8_t>(w.number(1, 1));
        record_.stationTypeIndicator = static_cast<int8_t>(w.number(2, 2));
        record_.cloudBaseKey = {'H', w.at(3)};
        record_.visibility = static_cast<int8_t>(w.number(4, 5));
        setIf(record_.visibility >= 0, SynopFlag::Visibility);
        return advance(CloudWind);
    }
    if (state_ == WindSpeed) {
        if (!w.matches("?+++++"))
            return stay();
        record_.windSpeed = static_cast<uint8_t>(w.number(3, 5));
        return advance(Temperature);
    }
    if (!w.matches("??++++"))
        return stay();
    record_.totalCloud = w.at(1);
    record_.windDirection = static_cast<int16_t>(w.number(2, 3) * 10);
    setIf(record_.windDirection >= 0 && record_.windDirection <= 360, SynopFlag::WindDirection);
    const int ff = w.number(4, 5);
    record_.windSpeed = static_cast<uint8_t>(ff);
    setIf(ff != -1, SynopFlag::WindSpeed);
    return advance(ff == 99 ? WindSpeed : Temperature);
}

// 1snTTT and 2snTdTdTd: each waits for exactly its group.
SynopDecoder::Step SynopDecoder::temperatures()
{
    const GroupWindow& w = window_;
    const int v = w.number(3, 5);
    const char sign = w.at(2);
    if (state_ == Temperature) {
        if (!w.matches("?1++++") || counter_ > 1)
            return stay();
        counter_ = 2;
        if (v >= 0) {
            record_.airTemperature = static_cast<int16_t>(withSign(sign, v));
            record_.flags |= SynopFlag::AirTemperature;
        }
        return advance(DewPoint);
    }
    if (!w.matches("?2++++") || counter_ > 2)
        return stay();
    // Sign figures 2 to 8 do not exist: ignore the group and wait on.
    if (v >= 0 && sign != '0' && sign != '1' && sign != '9' && sign != '/')
        return stay();
    counter_ = 3;
    if (v >= 0 && sign == '9') {
        record_.humidity = static_cast<int16_t>(v);
        record_.flags |= SynopFlag::Humidity;
    } else if (v >= 0) {
        record_.dewPoint = static_cast<int16_t>(withSign(sign, v));
        record_.flags |= SynopFlag::DewPoint;
    }
    return advance(Section1);
}

SynopDecoder::Step SynopDecoder::shipState()
{
    const GroupWindow& w = window_;
    switch (state_) {
    case ShipIdentifier:
        return shipIdentifier();
    case ShipDate: {
        if (!w.matches("?+++++"))
            return stay();
        uint32_t t = 0;
        if (timeValue(w.number(1, 2), w.number(3, 4), 0, t))
            record_.observationTime = t;
        else
            reject();
        record_.windIndicator = static_cast<uint8_t>(w.number(5, 5));
        counter_ = 0;
        return advance(ShipLatitude);
    }
    case ShipLatitude: {
        if (!w.matches("?99+++"))
            return stay();
        const int tenths = w.number(3, 5);
        if (tenths > 900)
            return stay();
        if (tenths > 0)
            record_.stationEntry.latitudeMinutes = static_cast<int16_t>(tenths * 6);
        return advance(ShipLongitude);
    }
    default: { // ShipLongitude
        if (!w.matches("?+++++"))
            return stay();
        const int tenths = w.number(2, 5);
        if (tenths > 1800)
            return stay();
        StationEntry& e = record_.stationEntry;
        if (tenths > 0)
            e.longitudeMinutes = static_cast<int16_t>(tenths * 6);
        // Quadrant of the globe: 1 NE, 3 SE, 5 SW, 7 NW; north is negative.
        switch (w.at(1)) {
        case '1': e.latitudeMinutes = static_cast<int16_t>(-e.latitudeMinutes); break;
        case '5': e.longitudeMinutes = static_cast<int16_t>(-e.longitudeMinutes); break;
        case '7':
            e.latitudeMinutes = static_cast<int16_t>(-e.latitudeMinutes);
            e.longitudeMinutes = static_cast<int16_t>(-e.longitudeMinutes);
            break;
        default: break;
        }
        counter_ = 0;
        return advance(PrecipVisibility);
    }
    }
}

SynopDecoder::Step SynopDecoder::shipIdentifier()
{
    const GroupWindow& w = window_;
    record_.sectionKind |= 2;
    resume_ = ShipIdentifier;
    landSectionRejected_ = false;
    if (w.count() < 3)
        return goTo(ShipIdentifier);
    if (w.matches("???###")) {
        // The call sign is the trailing run of group characters; one longer
        // than the window keeps its last six.
        int first = 5;
        while (first > 0 && isGroupChar(w.at(first - 1)))
            --first;
        char sign[6];
        for (int i = first; i <= 5; ++i)
            sign[i - first] = w.at(i);
        record_.stationEntry.setName(std::string_view(sign, static_cast<size_t>(6 - first)));
        record_.flags |= SynopFlag::ShipCallSign | SynopFlag::StationIdentified;
        return goTo(ShipDate);
    }
    if (w.matches("?+++++")) {
        record_.platformRegion = static_cast<int8_t>(w.number(1, 2));
        record_.platformNumber = static_cast<uint16_t>(w.number(3, 5));
        record_.flags |= SynopFlag::StationIdentified;
        return goTo(ShipDate);
    }
    reject();
    return advance(Skip);
}

} // namespace kesmar
