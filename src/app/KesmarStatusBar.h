#pragma once
#include <QStatusBar>
#include <array>

class QLabel;

namespace kesmar {

// The status bar of the main window with its six panes: 0 the message pane
// (idle text, stretches; command prompts show over it), 1 and 2 the latitude
// and longitude under the mouse, 3 the fixed label "GPS:", 4 and 5 the
// vessel's latitude and longitude. Panes 1 to 5 have fixed widths of 68,
// 75, 30, 68 and 75 pixels, wider where the font needs it.
class KesmarStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 6;

    explicit KesmarStatusBar(QWidget* parent = nullptr);

    QString paneText(int pane) const;
    int paneWidth(int pane) const;

public slots:
    void setPaneText(int pane, const QString& text);
    void setMessageText(const QString& text) { setPaneText(0, text); }
    void setCursorPosition(const QString& latitude, const QString& longitude);
    void setGpsLatitude(const QString& text) { setPaneText(4, text); }
    void setGpsLongitude(const QString& text) { setPaneText(5, text); }

private:
    std::array<QLabel*, kPaneCount> panes_{};
};

} // namespace kesmar
