#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

namespace kesmar {

// One instrument of the panel. Every paint renders the instrument afresh
// (artwork, then pointer) off screen and copies it in one step, so the
// pointer never flickers and never lands on an older pointer. Invalidation
// never erases the background.
class InstrumentView : public QWidget {
    Q_OBJECT
public:
    using Renderer = std::function<QImage()>;

    InstrumentView(QSize size, Renderer renderer, QWidget* parent = nullptr);
    // Invalidates without erasing; counts the requests (repaint rules).
    void invalidate();
    int invalidations() const { return invalidations_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Renderer renderer_;
    int invalidations_ = 0;
};

} // namespace kesmar
