#pragma once
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

namespace kesmar {

// The frame's placement as stored in [Settings] WindowPos:
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" = flags, show command, minimized position
// x, y, maximized position x, y, normal rectangle left, top, right, bottom.
// The normal rectangle is the window's client geometry in screen
// coordinates with exclusive right and bottom edges.
struct WindowPlacement {
    static constexpr uint32_t kRestoreToMaximized = 2; // flags
    static constexpr uint32_t kShowNormal = 1;         // show commands
    static constexpr uint32_t kShowMinimized = 2;
    static constexpr uint32_t kShowMaximized = 3;

    uint32_t flags = 0;
    uint32_t showCommand = kShowNormal;
    int32_t minX = -1;
    int32_t minY = -1;
    int32_t maxX = -1;
    int32_t maxY = -1;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // All ten numbers must be there, as a scanf of the format would need;
    // anything after the tenth is ignored. nullopt otherwise.
    static std::optional<WindowPlacement> parse(const QString& text);
    QString format() const;

    // The placement of `window` now: flags 2 and show command 3 when it is
    // maximized, show command 2 when minimized.
    static WindowPlacement capture(const QWidget& window);
    // Puts the window on its normal rectangle (moved onto a screen when the
    // rectangle lies on none) and shows it: maximized for show command 3 and
    // for a minimized one with the restore-to-maximized flag; every other
    // command shows it normally (a program that starts hidden or minimized
    // cannot be found on many desktops).
    void apply(QWidget& window) const;

    QRect normalRect() const { return QRect(left, top, right - left, bottom - top); }

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

} // namespace kesmar
