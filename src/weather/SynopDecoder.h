#pragma once
#include "weather/GroupWindow.h"
#include "weather/SynopFileContext.h"
#include "weather/SynopRecord.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace kesmar {

class SynopTables;

// Decodes WMO bulletins in the traditional alphanumeric forms FM 12 SYNOP
// (sections headed "AAXX") and FM 13 SHIP ("BBXX") one character at a time.
// Each five-character group is recognised by matching templates against the
// window of the last six characters; decoded values go into one SynopRecord,
// and each report that ends with "=" (or with its bulletin) and names a known
// station or a ship is handed to the record sink (the conversion's sink
// appends it to "SYNOP\STATION.DAT").
//
// Bulletins are framed by SOH (0x01) and ETX (0x03): SOH, a line with the
// message number, the heading T1T2A1A2ii CCCC YYGGgg [BBB], then the
// sections. A file without framing is decoded from its first section header.
// The state is kept across the files of one conversion run.
class SynopDecoder {
public:
    static constexpr size_t kMaxLineLength = 199;

    // Receives each finished report.
    using RecordSink = std::function<void(const SynopRecord&)>;

    // The decoder's states. The numbers are fixed: 1-21 the land report and
    // the bulletin heading, 30-33 the ship's own groups, 200 skipping.
    enum State : uint8_t {
        Idle = 1,
        LineEnd = 4,
        Heading = 5,
        Centre = 6,
        BulletinTime = 7,
        Bbb = 8,
        SectionStart = 9,
        LandDate = 10,
        LandStation = 11,
        PrecipVisibility = 12, // iRixhVV
        CloudWind = 13,        // Nddff
        WindSpeed = 14,        // 00fff
        Temperature = 15,      // 1snTTT
        DewPoint = 16,         // 2snTdTdTd
        Section1 = 17,
        Section2 = 18,
        Section3 = 19,
        Section4 = 20,
        RestOfReport = 21,     // section 5 and groups that belong nowhere: ignored
        ShipIdentifier = 30,
        ShipDate = 31,
        ShipLatitude = 32,
        ShipLongitude = 33,
        Skip = 200,            // the report (or heading) is abandoned up to "="
    };

    // The tables must outlive the decoder; without all four loaded it
    // decodes nothing. An empty sink drops the records (they are counted).
    SynopDecoder(const SynopTables& tables, RecordSink sink);

    void SetSynopFileContext(const SynopFileContext& context);
    const SynopFileContext& fileContext() const { return context_; }

    void BeginSynopFile();
    // One line as read from a file (up to 199 characters with its line end;
    // longer input is taken in pieces of 199, as the reader would).
    void FeedSynopLine(std::string_view line);
    // Closes a bulletin left open by the file's end.
    void EndSynopFile();

    void FeedSynopChar(char c);
    void CloseSynopReport();

    // The rewriting FeedSynopLine applies on the way: splits run-together
    // groups. Writes at most 2 * line.size() characters to out and returns
    // how many. (FeedSynopLine of the result, one character at a time, does
    // the same as FeedSynopLine of the line.)
    static size_t rewriteLine(std::string_view line, char* out);

    State state() const { return state_; }
    State resumeState() const { return resume_; }
    const GroupWindow& window() const { return window_; }
    const SynopRecord& record() const { return record_; }
    int groupCounter() const { return counter_; }
    bool bulletinOpen() const { return bulletinOpen_; }
    // Reports handed to the sink.
    size_t reportsWritten() const { return reportsWritten_; }

private:
    enum class Outcome : uint8_t { Advance, Goto, Stay, Keep };
    struct Step {
        Outcome outcome;
        State next;
    };
    static constexpr Step advance(State s) { return {Outcome::Advance, s}; }
    static constexpr Step goTo(State s) { return {Outcome::Goto, s}; }
    static constexpr Step stay() { return {Outcome::Stay, Idle}; }
    static constexpr Step keep() { return {Outcome::Keep, Idle}; }

    void feedPiece(std::string_view piece);
    void pushRun(const char* chars, size_t count);
    void passOn(char c);
    void separator(char c);
    void startBulletin();
    void endBulletin();
    Step handle(char sep);
    Step heading(char sep);
    Step landDate(char sep);
    Step landStation();
    Step firstGroups();
    Step temperatures();
    Step shipState();
    Step shipIdentifier();
    Step section1();
    Step storeSection1(char figure);
    Step section2();
    Step storeSection2(char figure);
    Step section3();
    Step section4();
    bool sectionHeader(Step& step, bool allow333, bool allow444);
    bool sectionPrologue(Step& step, bool allow333, bool allow444);
    bool takeInOrder(int place);
    void precipitationGroup();
    Step temperatureGroup(int16_t& field, uint32_t bit);
    // A value with the sign figure sn of its group: "1" negative, else as is.
    static int withSign(char sign, int value) { return sign == '1' && value > 0 ? -value : value; }
    bool timeValue(int day, int hour, int minute, uint32_t& out) const;
    void reject() { record_.flags |= SynopFlag::Rejected; }
    void setIf(bool condition, uint32_t bit)
    {
        if (condition)
            record_.flags |= bit;
    }

    const SynopTables& tables_;
    bool ready_ = false;
    RecordSink sink_;
    SynopFileContext context_;
    SynopRecord record_;
    GroupWindow window_;
    State state_ = Idle;
    State resume_ = LineEnd;
    int counter_ = 0;
    size_t groupLength_ = 0;   // characters of the group being received
    bool bulletinOpen_ = false;
    bool lineEnd_ = false;
    bool landSectionRejected_ = false; // date group of the land section out of the window
    size_t reportsWritten_ = 0;
};

} // namespace kesmar
