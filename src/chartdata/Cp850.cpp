#include "chartdata/Cp850.h"

#include "core/CodePage850.h"

namespace kesmar {

QString fromCp850(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes)
        out.append(cp850Char(c));
    return out;
}

std::string toCp850(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (size_t i = 0; i < kCp850UpperHalf.size(); ++i)
            if (kCp850UpperHalf[i] == u) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        out.push_back(mapped);
    }
    return out;
}

} // namespace kesmar
