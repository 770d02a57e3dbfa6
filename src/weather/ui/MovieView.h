#pragma once
#include <QAbstractScrollArea>

namespace kesmar {

class MovieDecoder;
class MoviePlayer;

// The film strips of the movie dialog: one row per video stream, the frame
// of the current time centred at its own size with its neighbours left and
// right, dark grey where a frame does not exist. The horizontal scroll bar
// is the movie time (0..10 000), the vertical one scrolls the rows.
class MovieView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kLineStep = 10;
    static const QColor kMissing;

    MovieView(MoviePlayer& player, QWidget* parent = nullptr);

    // The decoder of the loaded movie, or null; not owned.
    void setDecoder(MovieDecoder* decoder);
    // After the player's time changed: scroll bar and picture follow.
    void timeChanged();
    void layoutRows();

    int widestFrame() const { return widest_; }
    int totalHeight() const { return total_; }
    // Frames asked for on the last paint, including those ahead while playing.
    int lastRequestSize() const { return lastRequest_; }

signals:
    // The user moved the time; playing has stopped.
    void userScrolled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void horizontalAction(int action);
    void userScroll(int request, int thumb = 0);

    MoviePlayer& player_;
    MovieDecoder* decoder_ = nullptr;
    int widest_ = 0;
    int total_ = 0;
    int lastRequest_ = 0;
};

} // namespace kesmar
