#include "weather/SynopDecoder.h"

#include "weather/SynopCharKind.h"
#include "weather/SynopTables.h"

#include <cstring>

namespace kesmar {

namespace {

using namespace synopchars;

constexpr uint32_t kAaxx = GroupWindow::packFour("AAXX");
constexpr uint32_t kBbxx = GroupWindow::packFour("BBXX");

} // namespace

SynopDecoder::SynopDecoder(const SynopTables& tables, RecordSink sink)
    : tables_(tables), ready_(tables.isLoaded()), sink_(std::move(sink))
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
        if (sink_)
            sink_(record_);
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
