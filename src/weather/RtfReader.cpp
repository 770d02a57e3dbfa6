#include "weather/RtfReader.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kesmar {
namespace {

constexpr size_t kMaxDepth = 200;      // deeper groups are skipped whole
constexpr size_t kMaxWordLength = 32;  // longer control words are damage
constexpr int kMaxDigits = 10;

struct GroupState {
    bool skip = false; // inside a destination whose text is not shown
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
};

// Destinations whose content is never visible text.
bool isHiddenDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 40> kHidden = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "objdata",
        "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
        "footerf", "footnote", "fldinst", "listtable", "listoverridetable", "revtbl",
        "rsidtbl", "generator", "themedata", "colorschememapping", "datastore",
        "latentstyles", "xmlnstbl", "filetbl", "pgdsctbl", "bkmkstart", "bkmkend",
        "annotation", "atnid", "atnauthor", "shppict", "nonshppict", "template",
        "userprops", "docvar", "listtext"};
    for (std::string_view hidden : kHidden)
        if (word == hidden)
            return true;
    return false;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    Parser(std::string_view bytes, int maxLines) : in_(bytes), maxLines_(maxLines) {}

    RtfReader::Document run();

private:
    bool full() const { return maxLines_ > 0 && lines_ >= maxLines_; }
    void put(QChar c);
    void putByte(unsigned char byte);
    void openGroup();
    bool closeGroup(); // true when the document group closed
    void controlSymbol(char c);
    void controlWord();
    void wordAction(std::string_view word, bool hasParam, long param);

    std::string_view in_;
    size_t pos_ = 0;
    int maxLines_;
    int lines_ = 0;
    int pendingFallback_ = 0;
    size_t hiddenDepth_ = 0; // groups beyond kMaxDepth
    TextCodePage page_ = TextCodePage::Windows1252;
    GroupState state_;
    std::vector<GroupState> stack_;
    RtfReader::Document doc_;
};

void Parser::put(QChar c)
{
    if (state_.skip || hiddenDepth_ > 0)
        return;
    if (pendingFallback_ > 0) {
        --pendingFallback_;
        return;
    }
    if (c == QLatin1Char('\n')) {
        ++lines_;
    } else if (c.unicode() < 0x20 && c != QLatin1Char('\t')) {
        return;
    }
    doc_.text.append(c);
}

void Parser::putByte(unsigned char byte)
{
    put(charFromCodePage(byte, page_));
}

void Parser::openGroup()
{
    pendingFallback_ = 0;
    if (hiddenDepth_ > 0 || stack_.size() >= kMaxDepth) {
        ++hiddenDepth_;
        return;
    }
    stack_.push_back(state_);
}

bool Parser::closeGroup()
{
    pendingFallback_ = 0;
    if (hiddenDepth_ > 0) {
        --hiddenDepth_;
        return false;
    }
    if (stack_.empty())
        return false;
    state_ = stack_.back();
    stack_.pop_back();
    return stack_.empty();
}

void Parser::controlSymbol(char c)
{
    switch (c) {
    case '\\': case '{': case '}':
        put(QLatin1Char(c));
        break;
    case '~':
        put(QChar(0x00A0));
        break;
    case '_':
        put(QLatin1Char('-'));
        break;
    case '*':
        state_.skip = true; // unknown destinations are optional
        break;
    case '\n': case '\r':
        put(QLatin1Char('\n'));
        break;
    case '\'': {
        if (pos_ + 2 > in_.size()) {
            pos_ = in_.size();
            return;
        }
        const int hi = hexValue(in_[pos_]);
        const int lo = hexValue(in_[pos_ + 1]);
        if (hi >= 0 && lo >= 0) {
            pos_ += 2;
            putByte(static_cast<unsigned char>(hi * 16 + lo));
        }
        break;
    }
    default: // \- optional hyphen, \| \: index marks and damage
        break;
    }
}

void Parser::controlWord()
{
    const size_t start = pos_;
    while (pos_ < in_.size() && ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z')))
        ++pos_;
    // An overlong word is damage: read over it, act on nothing.
    const std::string_view word = pos_ - start <= kMaxWordLength ? in_.substr(start, pos_ - start) : std::string_view();
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-') {
        negative = true;
        ++pos_;
    }
    long param = 0;
    int digits = 0;
    while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
        if (digits < kMaxDigits)
            param = param * 10 + (in_[pos_] - '0');
        ++digits;
        ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ')
        ++pos_; // the delimiting blank belongs to the control word
    wordAction(word, digits > 0, negative ? -param : param);
}

void Parser::wordAction(std::string_view word, bool hasParam, long param)
{
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
        put(QLatin1Char('\n'));
    } else if (word == "tab" || word == "cell") {
        put(QLatin1Char('\t'));
    } else if (word == "u" && hasParam) {
        const long code = param < 0 ? param + 65536 : param;
        put(QChar(static_cast<char16_t>(code & 0xFFFF)));
        pendingFallback_ = state_.unicodeSkip;
        return;
    } else if (word == "uc" && hasParam) {
        state_.unicodeSkip = param < 0 ? 0 : static_cast<int>(std::min(param, 8L));
    } else if (word == "bin" && hasParam) {
        const size_t count = param < 0 ? 0 : static_cast<size_t>(param);
        pos_ = count > in_.size() - pos_ ? in_.size() : pos_ + count;
    } else if (word == "ansi" || word == "mac") {
        page_ = TextCodePage::Windows1252;
    } else if (word == "pc" || word == "pca") {
        page_ = TextCodePage::Dos850;
    } else if (word == "ansicpg" && hasParam) {
        page_ = (param == 850 || param == 437) ? TextCodePage::Dos850 : TextCodePage::Windows1252;
    } else if (word == "emdash") {
        put(QChar(0x2014));
    } else if (word == "endash") {
        put(QChar(0x2013));
    } else if (word == "bullet") {
        put(QChar(0x2022));
    } else if (word == "lquote") {
        put(QChar(0x2018));
    } else if (word == "rquote") {
        put(QChar(0x2019));
    } else if (word == "ldblquote") {
        put(QChar(0x201C));
    } else if (word == "rdblquote") {
        put(QChar(0x201D));
    } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
        put(QLatin1Char(' '));
    } else if (isHiddenDestination(word)) {
        state_.skip = true;
    }
    pendingFallback_ = 0;
}

RtfReader::Document Parser::run()
{
    // Text before the document group is not part of the document.
    while (pos_ < in_.size() && in_[pos_] != '{')
        ++pos_;
    while (pos_ < in_.size() && !full()) {
        const char c = in_[pos_++];
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            if (closeGroup()) {
                doc_.complete = true;
                break;
            }
        } else if (c == '\\') {
            if (pos_ >= in_.size())
                break;
            const char next = in_[pos_];
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                controlWord();
            } else {
                ++pos_;
                controlSymbol(next);
            }
        } else if (c != '\r' && c != '\n') {
            putByte(static_cast<unsigned char>(c));
        }
    }
    return std::move(doc_);
}

bool startsAsRtf(std::string_view bytes)
{
    size_t at = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        at = 3;
    while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\r' || bytes[at] == '\n' || bytes[at] == '\t'))
        ++at;
    return bytes.substr(at, 5) == "{\\rtf";
}

RtfReader::Document plainText(std::string_view bytes, int maxLines)
{
    RtfReader::Document doc;
    doc.isRtf = false;
    doc.complete = true;
    int lines = 0;
    for (size_t i = 0; i < bytes.size() && (maxLines <= 0 || lines < maxLines); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (c == '\r' || c == '\n') {
            doc.text.append(QLatin1Char('\n'));
            ++lines;
        } else if (c >= 0x20 || c == '\t') {
            doc.text.append(charFromCodePage(c, TextCodePage::Windows1252));
        }
    }
    return doc;
}

} // namespace

RtfReader::Document RtfReader::toText(std::string_view bytes, int maxLines)
{
    if (!startsAsRtf(bytes))
        return plainText(bytes, maxLines);
    return Parser(bytes, maxLines).run();
}

Result<RtfReader::Document> RtfReader::readFile(const QString& path, int maxLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error::inFile(path, file.errorString());
    const QByteArray bytes = file.read(kMaxFileBytes);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
        return Error::inFile(path, file.errorString());
    return toText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), maxLines);
}

} // namespace kesmar
