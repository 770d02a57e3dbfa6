#include "app/KesmarStatusBar.h"

#include <QLabel>
#include <algorithm>

namespace kesmar {

namespace {

struct Pane {
    const char* initialText;
    int width; // pixels; 0 = stretches
    bool bordered;
    const char* widestText; // the longest text the pane shows
};

// The initial texts are the panes' indicator strings; pane 2 really starts
// as "CHART-LAT" too.
const Pane kPanes[KesmarStatusBar::kPaneCount] = {
    {QT_TRANSLATE_NOOP("KesmarStatusBar", "Bereit"), 0, false, ""},
    {"CHART-LAT", 68, true, "88°88.888N"},
    {"CHART-LAT", 75, true, "188°88.888W"},
    {"GPS:", 30, false, "GPS:"},
    {"GPS-LON", 68, true, "88°88.888N"},
    {"GPS-LAT", 75, true, "188°88.888W"},
};

// The pixel widths were chosen for a narrow 8-point system font; with the
// desktop's font a position would be cut, so a pane grows to fit its text.
int fittingWidth(const QLabel& label, const Pane& pane)
{
    const int frame = 2 * label.frameWidth() + 4;
    return std::max(pane.width, label.fontMetrics().horizontalAdvance(QString::fromUtf8(pane.widestText)) + frame);
}

} // namespace

KesmarStatusBar::KesmarStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    // Each pane draws its own border; the style's item frame would double it.
    setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int i = 0; i < kPaneCount; ++i) {
        const Pane& pane = kPanes[i];
        auto* label = new QLabel(i == 0 ? tr(pane.initialText) : QString::fromLatin1(pane.initialText), this);
        label->setFrameStyle(pane.bordered ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
        label->setTextFormat(Qt::PlainText);
        panes_[size_t(i)] = label;
        if (i == 0) {
            label->setMinimumWidth(1);
            addWidget(label, 1); // command prompts temporarily cover it
        } else {
            label->setFixedWidth(fittingWidth(*label, pane));
            label->setAlignment(Qt::AlignCenter);
            addPermanentWidget(label);
        }
    }
}

QString KesmarStatusBar::paneText(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return QString();
    return panes_[size_t(pane)]->text();
}

int KesmarStatusBar::paneWidth(int pane) const
{
    if (pane < 0 || pane >= kPaneCount)
        return 0;
    return panes_[size_t(pane)]->width();
}

void KesmarStatusBar::setPaneText(int pane, const QString& text)
{
    if (pane >= 0 && pane < kPaneCount)
        panes_[size_t(pane)]->setText(text);
}

void KesmarStatusBar::setCursorPosition(const QString& latitude, const QString& longitude)
{
    setPaneText(1, latitude);
    setPaneText(2, longitude);
}

} // namespace kesmar
