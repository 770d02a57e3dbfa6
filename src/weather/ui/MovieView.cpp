#include "weather/ui/MovieView.h"

#include "weather/MovieDecoder.h"
#include "weather/MoviePlayer.h"
#include "weather/MovieStrips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>


namespace kesmar {

const QColor MovieView::kMissing(0x40, 0x40, 0x40);

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

void MovieView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    p.fillRect(client, palette().color(QPalette::Window));
    if (!decoder_)
        return;
    const MovieFile& movie = decoder_->movie();
    const auto cells = MovieStrips::layout(movie, player_, client.size(), verticalScrollBar()->value());
    for (const MovieStrips::Cell& cell : cells) {
        const QImage image = cell.key.sample >= 0 ? decoder_->frame(cell.key) : QImage();
        if (image.isNull())
            p.fillRect(cell.rect, kMissing); // missing, or not decoded yet
        else
            p.drawImage(cell.rect.topLeft(), image);
    }
    auto wanted = MovieStrips::wanted(movie, player_, cells);
    lastRequest_ = static_cast<int>(wanted.size());
    decoder_->request(std::move(wanted));
}

} // namespace kesmar
