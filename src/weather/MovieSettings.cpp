#include "weather/MovieSettings.h"

#include "core/IniFile.h"

#include <algorithm>

namespace kesmar {
namespace {
constexpr char16_t kSection[] = u"AVI";
constexpr int kUnset = -0x7fffffff;
} // namespace

MovieSettings MovieSettings::read(const IniFile& ini)
{
    MovieSettings s;
    const int left = ini.readInt(kSection, u"left", kUnset);
    const int top = ini.readInt(kSection, u"top", kUnset);
    const int right = ini.readInt(kSection, u"right", kUnset);
    const int bottom = ini.readInt(kSection, u"bottom", kUnset);
    // A rectangle needs all four edges and some size.
    if (left != kUnset && top != kUnset && right != kUnset && bottom != kUnset && right > left && bottom > top)
        s.rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    s.speed = std::clamp(ini.readInt(kSection, u"speed", 3), 1, 8);
    s.loop = ini.readInt(kSection, u"loop", 0) != 0;
    s.mode = ini.readInt(kSection, u"mode", 3);
    if (s.mode < -1 || s.mode > 3)
        s.mode = 3;
    s.loadFit = ini.readInt(kSection, u"loadfit", 0) != 0;
    return s;
}

void MovieSettings::write(IniFile& ini) const
{
    if (rect) {
        ini.setValue(kSection, u"left", QString::number(rect->left()));
        ini.setValue(kSection, u"top", QString::number(rect->top()));
        ini.setValue(kSection, u"right", QString::number(rect->right() + 1));
        ini.setValue(kSection, u"bottom", QString::number(rect->bottom() + 1));
    }
    ini.setValue(kSection, u"speed", QString::number(speed));
    ini.setValue(kSection, u"loop", QString::number(loop ? 1 : 0));
    ini.setValue(kSection, u"mode", QString::number(mode));
    ini.setValue(kSection, u"loadfit", QString::number(loadFit ? 1 : 0));
}

} // namespace kesmar
