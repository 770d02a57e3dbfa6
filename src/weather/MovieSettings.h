#pragma once
#include <QRect>
#include <optional>

namespace kesmar {

class IniFile;

// Section "AVI" of KMR.INI: the movie dialog's window rectangle, speed,
// loop, last mode and "Load fit to AVI"; read when the dialog opens and
// written when it closes.
struct MovieSettings {
    std::optional<QRect> rect; // none: the dialog's own rectangle
    int speed = 3;
    bool loop = false;
    int mode = 3;              // 0 LOAD, 1 PLAY, 2 LOOP, 3 STOP, -1 none
    bool loadFit = false;

    static MovieSettings read(const IniFile& ini);
    void write(IniFile& ini) const;
};

} // namespace kesmar
