#include "app/KesmarStatusBar.h"

#include <QLabel>

namespace kesmar {

namespace {

struct Pane {
    const char* initialText;
    int width; // pixels; 0 = stretches
    bool bordered;
};

// The initial texts are the panes' indicator strings; pane 2 really starts
// as "CHART-LAT" too.
const Pane kPanes[KesmarStatusBar::kPaneCount] = {
    {QT_TRANSLATE_NOOP("KesmarStatusBar", "Bereit"), 0, false},
    {"CHART-LAT", 68, true},
    {"CHART-LAT", 75, true},
    {"GPS:", 30, false},
    {"GPS-LON", 68, true},
    {"GPS-LAT", 75, true},
};

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
            label->setFixedWidth(pane.width);
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
