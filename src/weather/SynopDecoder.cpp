#include "weather/SynopDecoder.h"

#include "weather/SynopTables.h"

#include <cstring>

namespace kesmar {

namespace {

constexpr char kSoh = 0x01;
constexpr char kEtx = 0x03;
constexpr uint32_t kAaxx = GroupWindow::packFour("AAXX");
constexpr uint32_t kBbxx = GroupWindow::packFour("BBXX");

// Letters, digits and "/" make up groups; every other byte separates them.
// Digits and "/" also form the runs the line rewriting looks at.
enum CharKind : uint8_t { Separator, Letter, RunChar, LineEndChar, Soh, Etx };
struct CharKinds {
    CharKind kind[256] = {};
    constexpr CharKinds()
    {
        for (int c = 0; c < 256; ++c) {
            if ((c >= '0' && c <= '9') || c == '/')
                kind[c] = RunChar;
            else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
                kind[c] = Letter;
            else if (c == '\r' || c == '\n')
                kind[c] = LineEndChar;
            else if (c == kSoh)
                kind[c] = Soh;
            else if (c == kEtx)
                kind[c] = Etx;
        }
    }
};
constexpr CharKinds kKinds;

CharKind kindOf(char c)
{
    return kKinds.kind[static_cast<uint8_t>(c)];
}

bool isGroupChar(char c)
{
    const CharKind kind = kindOf(c);
    return kind == Letter || kind == RunChar;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isRunChar(char c)
{
    return kindOf(c) == RunChar;
}

} // namespace

SynopDecoder::SynopDecoder(const SynopTables& tables, const QString& programFolder)
    : tables_(tables), ready_(tables.isLoaded()), appender_(programFolder)
{
    window_.clear();
}

void SynopDecoder::SetSynopFileContext(const SynopFileContext& context)
{
    context_ = context;
}

void SynopDecoder::BeginSynopFile()
{
    bulletinOpen_ = false;
    lineEnd_ = false;
}

void SynopDecoder::EndSynopFile()
{
    if (bulletinOpen_) {
        resume_ = LineEnd;
        CloseSynopReport();
        bulletinOpen_ = false;
    }
    appender_.flush();
}

void SynopDecoder::FeedSynopLine(std::string_view line)
{
    if (!ready_)
        return;
    while (line.size() > kMaxLineLength) {
        feedPiece(line.substr(0, kMaxLineLength));
        line.remove_prefix(kMaxLineLength);
    }
    feedPiece(line);
}

// Ten digits followed by a blank become two groups, and a run of five or
// more digits followed by anything but a blank or "=" gets a line end after
// it ("10400NIL").
size_t SynopDecoder::rewriteLine(std::string_view line, char* out)
{
    size_t n = 0;
    int run = 0;
    for (const char c : line) {
        if (isRunChar(c)) {
            out[n++] = c;
            ++run;
            continue;
        }
        if (run == 10 && c == ' ') {
            std::memmove(out + n - 4, out + n - 5, 5);
            out[n - 5] = ' ';
            ++n;
        } else if (run >= 5 && c != ' ' && c != '=') {
            out[n++] = '\r';
        }
        out[n++] = c;
        run = 0;
    }
    return n;
}

// The rewriting of rewriteLine done on the way: the characters of a run are
// held back (they would only be pushed) until the character after the run
// shows whether a blank or a line end goes in. Line ends, also runs of them
// across lines, reach the decoder as one CR.
void SynopDecoder::feedPiece(std::string_view piece)
{
    char held[10];
    size_t run = 0;
    for (const char c : piece) {
        if (kindOf(c) == RunChar) {
            if (run < 10) {
                held[run++] = c;
                continue;
            }
            if (run == 10)
                pushRun(held, 10);
            ++run;
            pushRun(&c, 1);
            continue;
        }
        if (run == 10 && c == ' ') {
            pushRun(held, 5);
            passOn(' ');
            pushRun(held + 5, 5);
        } else if (run > 0) {
            if (run <= 10)
                pushRun(held, run);
            if (run >= 5 && c != ' ' && c != '=')
                passOn('\r');
        }
        run = 0;
        passOn(c);
    }
    if (run > 0 && run <= 10)
        pushRun(held, run);
}

void SynopDecoder::pushRun(const char* chars, size_t count)
{
    lineEnd_ = false;
    window_.push(chars, count);
    groupLength_ += count;
}

void SynopDecoder::passOn(char c)
{
    switch (kindOf(c)) {
    case Letter:
    case RunChar:
        lineEnd_ = false;
        window_.push(c);
        ++groupLength_;
        break;
    case LineEndChar:
        if (!lineEnd_) {
            lineEnd_ = true;
            separator('\r');
        }
        break;
    case Soh:
        startBulletin();
        break;
    case Etx:
        endBulletin();
        break;
    case Separator:
        lineEnd_ = false;
        separator(c);
        break;
    }
}

void SynopDecoder::startBulletin()
{
    lineEnd_ = false;
    resume_ = LineEnd;
    state_ = LineEnd;
    window_.clear();
    groupLength_ = 0;
    record_ = SynopRecord{};
    record_.bulletinTime = static_cast<uint32_t>(context_.defaultTime);
    record_.observationTime = static_cast<uint32_t>(context_.defaultTime);
    bulletinOpen_ = true;
    landSectionRejected_ = false;
}

void SynopDecoder::endBulletin()
{
    resume_ = LineEnd;
    CloseSynopReport();
    groupLength_ = 0;
    bulletinOpen_ = false;
    landSectionRejected_ = false;
}

void SynopDecoder::FeedSynopChar(char c)
{
    if (!ready_)
        return;
    if (isGroupChar(c)) {
        window_.push(c);
        ++groupLength_;
    } else {
        separator(c);
    }
}

void SynopDecoder::separator(char c)
{
    const State before = state_;
    const uint32_t lastFour = window_.lastFour();
    if (state_ != SectionStart && (lastFour == kAaxx || lastFour == kBbxx)) {
        groupLength_ = 0;
        if (c == '=') {
            CloseSynopReport();
            return;
        }
        // A section header inside a report ends that report unwritten.
        reject();
        CloseSynopReport();
        state_ = lastFour == kAaxx ? LandDate : ShipIdentifier;
        window_.clear();
        return;
    }
    const Step step = handle(c);
    groupLength_ = 0;
    switch (step.outcome) {
    case Outcome::Advance:
        state_ = step.next;
        window_.clear();
        window_.push(c);
        break;
    case Outcome::Goto:
        state_ = step.next;
        window_.clear();
        break;
    case Outcome::Stay:
        break;
    case Outcome::Keep:
        window_.push(c);
        break;
    }
    if (c == '=' && before != Idle && before != SectionStart && before != Skip)
        CloseSynopReport();
}

SynopDecoder::Step SynopDecoder::handle(char sep)
{
    switch (state_) {
    case Idle:
        return keep();
    case LineEnd:
        return isLineEnd(sep) ? advance(Heading) : stay();
    case Heading:
    case Centre:
    case BulletinTime:
    case Bbb:
    case SectionStart:
        return heading(sep);
    case LandDate:
        return landDate(sep);
    case LandStation:
        return landStation();
    case PrecipVisibility:
    case CloudWind:
    case WindSpeed:
        return firstGroups();
    case Temperature:
    case DewPoint:
        return temperatures();
    case Section1:
        return section1();
    case Section2:
        return section2();
    case Section3:
        return section3();
    case Section4:
        return section4();
    case RestOfReport:
        return keep();
    case ShipIdentifier:
    case ShipDate:
    case ShipLatitude:
    case ShipLongitude:
        return shipState();
    case Skip:
        if (sep == '=') {
            reject();
            CloseSynopReport();
            return stay();
        }
        return keep();
    }
    return keep();
}

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
            record_.airTemperature = static_cast<int16_t>(sign == '1' ? -v : v);
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
        record_.dewPoint = static_cast<int16_t>(sign == '1' ? -v : v);
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

// Day YY, hour GG, minute gg to a time value, counted from the base of the
// file's month. A report of the last days of the month before (the file of
// the 1st holding reports of the 31st) would land a month ahead and be
// thrown away; it gets the month before when that puts it into the window.
bool SynopDecoder::timeValue(int day, int hour, int minute, uint32_t& out) const
{
    if (day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return false;
    const int64_t offset = ((static_cast<int64_t>(day) * 24 + hour) * 60 + minute) * 60;
    for (const int64_t base : {context_.baseTime, context_.previousBaseTime}) {
        const int64_t t = base + offset;
        if (base != 0 && t >= context_.earliestTime && t <= context_.latestTime) {
            out = static_cast<uint32_t>(t);
            return true;
        }
    }
    return false;
}

void SynopDecoder::CloseSynopReport()
{
    state_ = resume_;
    window_.clear();
    const bool sectionRejected = resume_ == LandStation && landSectionRejected_;
    if (record_.has(SynopFlag::StationIdentified) && !record_.has(SynopFlag::Rejected)
        && record_.sectionKind != 0 && !sectionRejected) {
        record_.fileIndex = context_.fileIndex;
        if (record_.observationTime == 0)
            record_.observationTime = static_cast<uint32_t>(context_.defaultTime);
        if (record_.bulletinTime == 0)
            record_.bulletinTime = static_cast<uint32_t>(context_.defaultTime);
        appender_.append(record_);
        ++reportsWritten_;
    }
    // Only these are cleared; the bulletin fields and, inside a land section,
    // the observation time carry over to the next report.
    record_.stationEntry = StationEntry{};
    record_.flags = 0;
    record_.cloudBaseKey = {0, 0};
    record_.totalCloud = 0;
    record_.layerAmount.fill(0);
    counter_ = 0;
}

} // namespace kesmar
