#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kesmar {

// The last six characters received since the last clearing, right-aligned:
// position 5 holds the newest character, positions without a character yet
// hold NUL. The count goes on past 6. Groups are recognised by matching
// templates against the window; one template character per position:
//   '?' anything (NUL too)   '+' digit or '/'   '-' digit or blank
//   '#' letter               '|' letter or digit
//   any other character: exactly that character.
//
// The six characters live in one integer (position 5 in the low byte), so a
// push is a shift and a four-letter test such as "AAXX" is one compare; the
// decoder pushes every character of a bulletin and must be cheap.
class GroupWindow {
public:
    void clear()
    {
        bits_ = 0;
        count_ = 0;
    }
    void push(char c)
    {
        bits_ = ((bits_ << 8) | static_cast<uint8_t>(c)) & kMask;
        ++count_;
    }

    // Pushes n characters in one step (only the last six stay).
    void push(const char* chars, size_t n)
    {
        const size_t kept = n < 6 ? n : 6;
        uint64_t packed = 0;
        for (size_t i = n - kept; i < n; ++i)
            packed = (packed << 8) | static_cast<uint8_t>(chars[i]);
        bits_ = kept == 6 ? packed : ((bits_ << (8 * kept)) | packed) & kMask;
        count_ += n;
    }

    size_t count() const { return count_; }
    char at(int position) const
    {
        return static_cast<char>((bits_ >> (8 * (5 - position))) & 0xFF);
    }
    // Positions 2 to 5 as one value, for the section headers.
    uint32_t lastFour() const { return static_cast<uint32_t>(bits_); }
    static constexpr uint32_t packFour(const char (&text)[5])
    {
        return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16)
             | (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
    }

    // True when the window matches the template (at most six characters).
    bool matches(const char* pattern) const
    {
        for (int i = 0; i < 6 && pattern[i] != 0; ++i) {
            const char c = at(i);
            switch (pattern[i]) {
            case '?': break;
            case '+': if (!isDigit(c) && c != '/') return false; break;
            case '-': if (!isDigit(c) && c != ' ') return false; break;
            case '#': if (!isLetter(c)) return false; break;
            case '|': if (!isLetter(c) && !isDigit(c)) return false; break;
            default: if (c != pattern[i]) return false; break;
            }
        }
        return true;
    }

    // Number extraction: walks template and window together, taking the
    // characters at '+', skipping at '?', stopping at any other template
    // character. A first taken "/" gives -1, otherwise the value of the
    // leading digits ("1/" gives 1, nothing taken gives 0).
    int number(const char* pattern) const;
    // The same for the positions first to last (inclusive).
    int number(int first, int last) const
    {
        if (at(first) == '/')
            return -1;
        int value = 0;
        for (int i = first; i <= last; ++i) {
            const char c = at(i);
            if (c < '0' || c > '9')
                break;
            value = value * 10 + (c - '0');
        }
        return value;
    }

    // Letter extraction: the characters at the template's '#' positions.
    std::string letters(const char* pattern) const;

    // The six characters as they stand (NULs included), for tests.
    std::string text() const;

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

private:
    static constexpr uint64_t kMask = 0xFFFFFFFFFFFFull;
    uint64_t bits_ = 0;
    size_t count_ = 0;
};

} // namespace kesmar
