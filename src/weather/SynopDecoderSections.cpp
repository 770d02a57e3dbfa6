// Sections 1 to 4 of a SYNOP/SHIP report. The group counter orders the
// optional groups: each is taken only while the counter has not passed its
// place, so a group out of order or a second copy is ignored, and national
// groups after a 5- or 9-group of section 3 are not mistaken for others.
#include "weather/SynopDecoder.h"

namespace kesmar {

// The three-figure headers "333", "444" and "555" are recognised by the
// group just received, not by the window: after a group that kept the
// window (a 4a3hhh group, a 5- or 9-group of section 3, a group out of order)
// the window also holds characters of the group before, and "333" would then
// be missed, or read together with them as a five-figure group.
bool SynopDecoder::sectionHeader(Step& step, bool allow333, bool allow444)
{
    if (groupLength_ != 3 || window_.at(3) != window_.at(4) || window_.at(4) != window_.at(5))
        return false;
    const char figure = window_.at(5);
    if (figure == '3' && allow333) {
        counter_ = 0;
        step = goTo(Section3);
        return true;
    }
    if (figure == '4' && allow444) {
        counter_ = 0;
        step = goTo(Section4);
        return true;
    }
    // Section 5 holds national groups in the shapes of the others.
    if (figure == '5') {
        step = goTo(RestOfReport);
        return true;
    }
    return false;
}

// What every section starts with: its end by a section header, and no
// template before five characters of a group are there.
bool SynopDecoder::sectionPrologue(Step& step, bool allow333, bool allow444)
{
    if (sectionHeader(step, allow333, allow444))
        return true;
    if (window_.count() >= 5)
        return false;
    step = stay();
    return true;
}

// An optional group is taken while the counter has not passed its place;
// taking it moves the counter past it.
bool SynopDecoder::takeInOrder(int place)
{
    if (counter_ > place)
        return false;
    counter_ = place + 1;
    return true;
}

// 6RRRtR, in section 1 and in section 3.
void SynopDecoder::precipitationGroup()
{
    record_.precipitation = static_cast<int16_t>(window_.number(2, 4));
    record_.precipitationPeriod = static_cast<int8_t>(window_.number(5, 5));
    setIf(record_.precipitation >= 0 && record_.precipitationPeriod >= 0, SynopFlag::Precipitation);
}

// Templates "?3++++" to "?8++++", "?9++//" and "?222++": group 3 to 9 is
// taken while the counter has not passed its figure, and sets it to the
// figure + 1.
SynopDecoder::Step SynopDecoder::section1()
{
    const GroupWindow& w = window_;
    Step step = stay();
    if (sectionPrologue(step, true, true))
        return step;
    if (w.matches("?222++")) { // 222Dsvs: section 2 of a ship follows
        counter_ = 0;
        record_.shipDirection = static_cast<int8_t>(w.number(4, 4));
        record_.shipSpeed = static_cast<int8_t>(w.number(5, 5));
        setIf(record_.shipDirection > 0, SynopFlag::ShipMovement);
        return goTo(Section2);
    }
    const char figure = w.at(1);
    if (!w.matches("?+++++") || figure < '3' || figure > '9')
        return goTo(Section1);
    if (figure == '9' && !w.matches("?9++//"))
        return goTo(Section1);
    if (!takeInOrder(figure - '0'))
        return stay();
    return storeSection1(figure);
}

SynopDecoder::Step SynopDecoder::storeSection1(char figure)
{
    const GroupWindow& w = window_;
    switch (figure) {
    case '3':
        record_.stationPressure = static_cast<int16_t>(w.number(2, 5));
        setIf(record_.stationPressure >= 0, SynopFlag::StationPressure);
        break;
    case '4': {
        // 4a3hhh of a high station: the standard isobaric surface a3 and its
        // geopotential; otherwise 4PPPP, the sea-level pressure.
        int surface = 0;
        switch (w.at(2)) {
        case '1': surface = 1000; break;
        case '2': surface = 925; break;
        case '5': surface = 500; break;
        case '7': surface = 700; break;
        case '8': surface = 850; break;
        default: break;
        }
        if (surface == 0) {
            record_.seaLevelPressure = static_cast<int16_t>(w.number(2, 5));
            setIf(record_.seaLevelPressure >= 0, SynopFlag::SeaLevelPressure);
            break;
        }
        record_.isobaricSurface = static_cast<int16_t>(surface);
        record_.geopotential = static_cast<int16_t>(w.number(3, 5));
        setIf(record_.geopotential >= 0, SynopFlag::Geopotential);
        return keep();
    }
    case '5':
        record_.tendencyCharacteristic = static_cast<int8_t>(w.number(2, 2));
        record_.pressureTendency = static_cast<int16_t>(w.number(3, 5));
        setIf(record_.tendencyCharacteristic >= 0 && record_.pressureTendency >= 0,
              SynopFlag::PressureTendency);
        break;
    case '6':
        precipitationGroup();
        break;
    case '7': {
        record_.presentWeather = static_cast<int8_t>(w.number(2, 3));
        const bool pastWeatherMissing = w.at(4) == '/' && w.at(5) == '/';
        setIf(record_.presentWeather >= 0,
              pastWeatherMissing ? SynopFlag::PresentWeatherOnly : SynopFlag::PresentWeather);
        break;
    }
    case '8':
        record_.lowCloudAmount = w.at(2);
        record_.lowCloud = w.at(3);
        record_.midCloud = w.at(4);
        record_.highCloud = w.at(5);
        record_.flags |= SynopFlag::CloudGroup;
        break;
    default: // 9xx//
        record_.cloudBaseKey = {w.at(2), w.at(3)};
        break;
    }
    return goTo(Section1);
}

SynopDecoder::Step SynopDecoder::section2()
{
    const GroupWindow& w = window_;
    Step step = stay();
    if (sectionPrologue(step, true, true))
        return step;
    // Templates "?0++++" to "?6++++" in order, then "?70+++".
    const char figure = w.at(1);
    if (!w.matches("?+++++") || figure < '0' || figure > '7')
        return goTo(Section2);
    if (figure == '7' && w.at(2) != '0')
        return goTo(Section2);
    if (!takeInOrder(figure - '0'))
        return stay();
    return storeSection2(figure);
}

SynopDecoder::Step SynopDecoder::storeSection2(char figure)
{
    const GroupWindow& w = window_;
    const auto a = [&w](int first, int last) { return static_cast<int8_t>(w.number(first, last)); };
    // Groups of two two-digit values: the bit is set when either is there.
    const auto pairGroup = [&](int8_t& first, int8_t& second, uint32_t bit) {
        first = a(2, 3);
        second = a(4, 5);
        setIf(first > 0 || second > 0, bit);
    };
    switch (figure) {
    case '0': {
        const int v = w.number(3, 5);
        if (v < 0)
            return advance(Section2);
        if (w.at(2) == '9') {
            record_.humidity = static_cast<int16_t>(v);
            record_.flags |= SynopFlag::Humidity;
        } else {
            record_.seaTemperature = static_cast<int16_t>(withSign(w.at(2), v));
            record_.flags |= SynopFlag::SeaTemperature;
        }
        break;
    }
    case '1': {
        record_.wavePeriod = a(2, 3);
        const int halfMetres = w.number(4, 5);
        // Half metres to decimetres; a missing height stays -1.
        record_.waveHeight = static_cast<int16_t>(halfMetres < 0 ? -1 : halfMetres * 5);
        setIf(record_.wavePeriod > 0 || record_.waveHeight > 0, SynopFlag::Waves);
        break;
    }
    case '2':
        pairGroup(record_.windWavePeriod, record_.windWaveHeight, SynopFlag::WindWaves);
        break;
    case '3':
        pairGroup(record_.swell1Direction, record_.swell2Direction, SynopFlag::SwellDirection);
        break;
    case '4':
        pairGroup(record_.swell1Period, record_.swell1Height, SynopFlag::Swell1);
        break;
    case '5':
        pairGroup(record_.swell2Period, record_.swell2Height, SynopFlag::Swell2);
        break;
    case '6':
        record_.iceCause = a(2, 2);
        record_.iceThickness = a(3, 4);
        record_.iceRate = a(5, 5);
        setIf(record_.iceCause > 0 || record_.iceThickness > 0 || record_.iceRate > 0, SynopFlag::Ice);
        break;
    default: { // 70HwaHwaHwa, already in decimetres
        const int v = w.number(3, 5);
        if (v >= 1) {
            record_.waveHeight = static_cast<int16_t>(v);
            record_.flags |= SynopFlag::Waves;
        }
        break;
    }
    }
    return goTo(Section2);
}

// 1snTxTxTx and 2snTnTnTn of section 3.
SynopDecoder::Step SynopDecoder::temperatureGroup(int16_t& field, uint32_t bit)
{
    const int v = window_.number(3, 5);
    const char sign = window_.at(2);
    if (v < 0 || sign == '9')
        return advance(Section3);
    field = static_cast<int16_t>(withSign(sign, v));
    record_.flags |= bit;
    return goTo(Section3);
}

SynopDecoder::Step SynopDecoder::section3()
{
    const GroupWindow& w = window_;
    Step step = stay();
    if (sectionPrologue(step, false, true))
        return step;
    if (!w.matches("?+++++") || w.at(1) == '/' || w.at(1) == '0')
        return goTo(Section3);
    const int place = w.at(1) - '0';
    switch (place) {
    case 5: // 5-groups, 7R24 and 9-groups: their supplementary groups follow
    case 7:
    case 9:
        counter_ = place + 1;
        return stay();
    case 8: { // 8NsChshs, one per layer
        if (counter_ > 8)
            return stay();
        const int genus = w.number(3, 3);
        if (genus >= 0 && genus <= 9) {
            record_.layerAmount[static_cast<size_t>(genus)] = static_cast<int8_t>(w.number(2, 2));
            record_.layerHeight[static_cast<size_t>(genus)] = static_cast<int8_t>(w.number(4, 5));
            record_.flags |= SynopFlag::CloudLayer;
        }
        return goTo(Section3);
    }
    default:
        break;
    }
    if (!takeInOrder(place))
        return stay();
    switch (place) {
    case 1:
        return temperatureGroup(record_.maxTemperature, SynopFlag::MaxTemperature);
    case 2:
        return temperatureGroup(record_.minTemperature, SynopFlag::MinTemperature);
    case 3: { // 3EsnTgTg
        record_.groundState = static_cast<int8_t>(w.number(2, 2));
        const int tg = w.number(4, 5);
        const char sign = w.at(3);
        record_.groundMinTemperature = static_cast<int8_t>(withSign(sign, tg));
        if (sign != '0' && sign != '1')
            return advance(Section3);
        record_.flags |= SynopFlag::GroundGroup;
        return goTo(Section3);
    }
    case 4: // 4E'sss
        record_.snowGroundState = static_cast<int8_t>(w.number(2, 2));
        record_.snowDepth = static_cast<int16_t>(w.number(3, 5));
        setIf(record_.snowGroundState >= 0 || record_.snowDepth >= 0, SynopFlag::Snow);
        return goTo(Section3);
    default: // 6RRRtR
        precipitationGroup();
        return goTo(Section3);
    }
}

// Section 4: N'C'H'H'Ct groups of clouds below a mountain station.
SynopDecoder::Step SynopDecoder::section4()
{
    const GroupWindow& w = window_;
    Step step = stay();
    if (sectionPrologue(step, false, false))
        return step;
    if (!w.matches("?+++++"))
        return goTo(RestOfReport);
    record_.lowerCloudAmount = static_cast<int8_t>(w.number(1, 1));
    record_.lowerCloudGenus = static_cast<int8_t>(w.number(2, 2));
    record_.lowerCloudTop = static_cast<int8_t>(w.number(3, 4));
    record_.lowerCloudDescription = static_cast<int8_t>(w.number(5, 5));
    record_.flags |= SynopFlag::Section4;
    return goTo(Section4);
}

} // namespace kesmar
