#pragma once
#include <QFont>

namespace kesmar {

// The one font of all bulletin pages: fixed pitch, height in pixels as the
// negative character height -12, -16 or -20. The font button steps it; it
// lasts for the program's run and goes back to -12 when a sheet first shows
// its list page.
class WeatherDisplayFont {
public:
    static constexpr int kStartHeight = -12;
    static constexpr int kStep = -4;
    static constexpr int kLowest = -23;

    int height() const { return height_; }
    void reset() { height_ = kStartHeight; }
    // -12 -> -16 -> -20 -> -12
    void step()
    {
        height_ += kStep;
        if (height_ < kLowest)
            height_ = kStartHeight;
    }
    QFont font() const
    {
        QFont f(QStringLiteral("monospace"));
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        f.setPixelSize(-height_);
        f.setWeight(QFont::Normal);
        return f;
    }

private:
    int height_ = kStartHeight;
};

} // namespace kesmar
