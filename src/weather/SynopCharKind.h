#pragma once
#include <cstdint>

namespace kesmar::synopchars {

constexpr char kSoh = 0x01;
constexpr char kEtx = 0x03;

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
inline constexpr CharKinds kKinds;

inline CharKind kindOf(char c)
{
    return kKinds.kind[static_cast<uint8_t>(c)];
}

inline bool isGroupChar(char c)
{
    const CharKind kind = kindOf(c);
    return kind == Letter || kind == RunChar;
}

inline bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

inline bool isRunChar(char c)
{
    return kindOf(c) == RunChar;
}

} // namespace kesmar::synopchars
