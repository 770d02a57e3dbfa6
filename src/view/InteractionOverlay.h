#pragma once
#include <QWidget>

namespace kesmar {

class MouseController;

// A transparent child that covers the chart view and paints the transient
// marks of the mouse gestures over the finished chart picture. Being a child,
// it is painted after the view on every repaint, so the marks survive the
// view's repaints without the view knowing about them.
class InteractionOverlay : public QWidget {
    Q_OBJECT
public:
    InteractionOverlay(const MouseController& controller, QWidget& view);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MouseController& controller_;
};

} // namespace kesmar
