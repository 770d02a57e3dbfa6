#include "weather/ui/MovieView.h"

#include "weather/MovieDecoder.h"
#include "weather/MoviePlayer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace kesmar {

const QColor MovieView::kMissing(0x40, 0x40, 0x40);

namespace {
constexpr int kAheadWhilePlaying = 3; // samples decoded ahead of the clock
}

MovieView::MovieView(MoviePlayer& player, QWidget* parent) : QAbstractScrollArea(parent), player_(player)
{
    setObjectName(QStringLiteral("movieView1192"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setRange(0, MoviePlayer::kRange);
    viewport()->setAutoFillBackground(false);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &MovieView::horizontalAction);
}

void MovieView::setDecoder(MovieDecoder* decoder)
{
    decoder_ = decoder;
    if (decoder_) {
        QWidget* target = viewport();
        decoder_->setReady([target] { QMetaObject::invokeMethod(target, qOverload<>(&QWidget::update), Qt::QueuedConnection); });
    }
    layoutRows();
    timeChanged();
}

void MovieView::timeChanged()
{
    QScrollBar* bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setValue(player_.position());
    bar->setSliderPosition(player_.position());
    viewport()->update();
}

void MovieView::layoutRows()
{
    widest_ = 0;
    total_ = 0;
    if (decoder_) {
        for (const auto& stream : decoder_->movie().videoStreams()) {
            widest_ = std::max(widest_, stream.width);
            total_ += stream.height;
        }
    }
    QScrollBar* bar = verticalScrollBar();
    const int client = viewport()->height();
    bar->setRange(0, std::max(0, total_ - client));
    bar->setPageStep(std::max(1, client));
    bar->setSingleStep(kLineStep);
    viewport()->update();
}

void MovieView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutRows();
}

void MovieView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void MovieView::userScroll(int request, int thumb)
{
    if (player_.scroll(static_cast<MoviePlayer::Scroll>(request), thumb))
        emit userScrolled();
    timeChanged();
}

void MovieView::horizontalAction(int action)
{
    using S = MoviePlayer::Scroll;
    QScrollBar* bar = horizontalScrollBar();
    const int thumb = bar->sliderPosition();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: userScroll(int(S::LineRight)); break;
    case QAbstractSlider::SliderSingleStepSub: userScroll(int(S::LineLeft)); break;
    case QAbstractSlider::SliderPageStepAdd: userScroll(int(S::PageRight)); break;
    case QAbstractSlider::SliderPageStepSub: userScroll(int(S::PageLeft)); break;
    case QAbstractSlider::SliderToMinimum: userScroll(int(S::Home)); break;
    case QAbstractSlider::SliderToMaximum: userScroll(int(S::End)); break;
    case QAbstractSlider::SliderMove: userScroll(int(S::Thumb), thumb); break;
    default: break;
    }
    // The slider goes where the movie time is, not where the action alone would put it.
    bar->setSliderPosition(player_.position());
}

void MovieView::keyPressEvent(QKeyEvent* event)
{
    using S = MoviePlayer::Scroll;
    QScrollBar* vertical = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Left: userScroll(int(S::LineLeft)); break;
    case Qt::Key_Right: userScroll(int(S::LineRight)); break;
    case Qt::Key_PageUp: userScroll(int(S::PageLeft)); break;
    case Qt::Key_PageDown: userScroll(int(S::PageRight)); break;
    case Qt::Key_Home: userScroll(int(S::Home)); break;
    case Qt::Key_End: userScroll(int(S::End)); break;
    case Qt::Key_Up: vertical->setValue(vertical->value() - kLineStep); break;
    case Qt::Key_Down: vertical->setValue(vertical->value() + kLineStep); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

int MovieView::sampleAt(int stream, int64_t timeMs) const
{
    const auto& video = decoder_->movie().videoStreams()[static_cast<size_t>(stream)];
    const int64_t offset = timeMs - video.startMs();
    if (offset < 0)
        return -1;
    const int count = static_cast<int>(video.frames.size());
    // At the very end the last frame stays in view.
    if (timeMs == player_.end() && count > 0 && offset >= video.endMs())
        return count - 1;
    return static_cast<int>(offset / MovieFile::kSampleMs);
}

void MovieView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    p.fillRect(client, palette().color(QPalette::Window));
    if (!decoder_)
        return;
    std::vector<MovieDecoder::Key> wanted;
    std::vector<MovieDecoder::Key> ahead;
    const int64_t now = player_.time();
    const auto& streams = decoder_->movie().videoStreams();
    int y = -verticalScrollBar()->value();
    for (int s = 0; s < static_cast<int>(streams.size()); ++s) {
        const auto& video = streams[static_cast<size_t>(s)];
        const int step = video.width + kGap;
        const int side = std::max(0, (client.width() - step) / (2 * step));
        const int centreX = (client.width() - video.width) / 2;
        const int centre = sampleAt(s, now);
        for (int k = 0; k <= 2 * side; ++k) {
            const int offset = k % 2 == 0 ? k / 2 : -(k + 1) / 2; // centre first, then outwards
            int sample = centre + offset;
            if (s > 0) // other streams: the time that many pixels stand for
                sample = sampleAt(s, now + static_cast<int64_t>(std::llround(offset * step * player_.microsecondsPerPixel() / 1000.0)));
            const QRect cell(centreX + offset * step, y, video.width, video.height);
            if (cell.bottom() < 0 || cell.top() > client.bottom())
                continue;
            const MovieDecoder::Key key{s, sample};
            const QImage image = sample >= 0 ? decoder_->frame(key) : QImage();
            if (image.isNull()) {
                p.fillRect(cell, kMissing);
                if (sample >= 0 && decoder_->state(key) == MovieFrameCache::State::Unknown)
                    wanted.push_back(key);
            } else {
                p.drawImage(cell.topLeft(), image);
            }
        }
        if (player_.playing())
            for (int a = 1; a <= kAheadWhilePlaying * player_.speed() / 2 + 1; ++a)
                ahead.push_back({s, centre + a});
        y += video.height;
    }
    wanted.insert(wanted.end(), ahead.begin(), ahead.end());
    lastRequest_ = static_cast<int>(wanted.size());
    decoder_->request(std::move(wanted));
}

} // namespace kesmar
