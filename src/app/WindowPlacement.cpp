#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <array>
#include <limits>

namespace kesmar {

namespace {

// One scanf conversion of %d / %u: optional blanks, optional sign, digits.
// %u accepts a sign as well and wraps, as the C library does.
bool scanNumber(const QString& text, qsizetype& pos, int64_t& value)
{
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const qsizetype digitsStart = pos;
    int64_t v = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        if (v < (int64_t(1) << 40))
            v = v * 10 + (text[pos].unicode() - u'0');
        ++pos;
    }
    if (pos == digitsStart)
        return false;
    value = negative ? -v : v;
    return true;
}

int32_t toInt32(int64_t v)
{
    return static_cast<int32_t>(static_cast<uint32_t>(v & 0xFFFFFFFF));
}

QRect onScreen(const QRect& wanted)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return wanted;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(wanted))
            return wanted;
    }
    QRect moved = wanted;
    moved.moveTopLeft(primary->availableGeometry().topLeft());
    return moved;
}

} // namespace

std::optional<WindowPlacement> WindowPlacement::parse(const QString& text)
{
    std::array<int64_t, 10> v{};
    qsizetype pos = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != u',')
                return std::nullopt;
            ++pos;
        }
        if (!scanNumber(text, pos, v[i]))
            return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<uint32_t>(toInt32(v[0]));
    p.showCommand = static_cast<uint32_t>(toInt32(v[1]));
    p.minX = toInt32(v[2]);
    p.minY = toInt32(v[3]);
    p.maxX = toInt32(v[4]);
    p.maxY = toInt32(v[5]);
    p.left = toInt32(v[6]);
    p.top = toInt32(v[7]);
    p.right = toInt32(v[8]);
    p.bottom = toInt32(v[9]);
    return p;
}

QString WindowPlacement::format() const
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(flags)
        .arg(showCommand)
        .arg(minX)
        .arg(minY)
        .arg(maxX)
        .arg(maxY)
        .arg(left)
        .arg(top)
        .arg(right)
        .arg(bottom);
}

WindowPlacement WindowPlacement::capture(const QWidget& window)
{
    WindowPlacement p;
    if (window.isMaximized()) {
        p.flags = kRestoreToMaximized;
        p.showCommand = kShowMaximized;
    } else if (window.isMinimized()) {
        p.showCommand = kShowMinimized;
    }
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    return p;
}

void WindowPlacement::apply(QWidget& window) const
{
    const QRect normal = normalRect();
    if (normal.width() > 0 && normal.height() > 0)
        window.setGeometry(onScreen(normal));
    const bool minimized = showCommand == kShowMinimized || showCommand == 6 || showCommand == 7 ||
                           showCommand == 11;
    if (showCommand == kShowMaximized || (minimized && (flags & kRestoreToMaximized)))
        window.showMaximized();
    else
        window.showNormal();
}

} // namespace kesmar
