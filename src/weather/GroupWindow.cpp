#include "weather/GroupWindow.h"

namespace kesmar {

int GroupWindow::number(const char* pattern) const
{
    char taken[6];
    int n = 0;
    for (int i = 0; i < 6 && pattern[i] != 0; ++i) {
        if (pattern[i] == '+')
            taken[n++] = at(i);
        else if (pattern[i] != '?')
            break;
    }
    if (n > 0 && taken[0] == '/')
        return -1;
    int value = 0;
    for (int i = 0; i < n && isDigit(taken[i]); ++i)
        value = value * 10 + (taken[i] - '0');
    return value;
}

std::string GroupWindow::letters(const char* pattern) const
{
    std::string out;
    for (int i = 0; i < 6 && pattern[i] != 0; ++i) {
        if (pattern[i] == '#')
            out.push_back(at(i));
        else if (pattern[i] != '?')
            break;
    }
    return out;
}

std::string GroupWindow::text() const
{
    std::string out(6, '\0');
    for (int i = 0; i < 6; ++i)
        out[i] = at(i);
    return out;
}

} // namespace kesmar
