#include "view/ChartPictureRenderer.h"

#include <QPainter>

#include <chrono>

namespace kesmar {

ChartPictureRenderer::ChartPictureRenderer(QObject* parent) : QObject(parent)
{
    thread_ = std::thread([this] { run(); });
}

ChartPictureRenderer::~ChartPictureRenderer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

uint64_t ChartPictureRenderer::request(ChartSnapshot snapshot)
{
    std::lock_guard lock(mutex_);
    const uint64_t generation = latest_.load() + 1;
    // Publishing the new generation is what stops the picture in flight.
    latest_ = generation;
    pending_ = Job{std::move(snapshot), generation};
    wake_.notify_all();
    return generation;
}

bool ChartPictureRenderer::waitUntilIdle(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [this] { return !pending_ && !busy_; });
}

void ChartPictureRenderer::setCheckpointHook(std::function<void(uint64_t)> hook)
{
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

void ChartPictureRenderer::run()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || pending_; });
            if (stopping_) return;
            job = std::move(*pending_);
            pending_.reset();
            busy_ = true;
        }
        draw(job);
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
        }
        wake_.notify_all();
    }
}

void ChartPictureRenderer::draw(const Job& job)
{
    std::function<void(uint64_t)> hook;
    {
        std::lock_guard lock(mutex_);
        hook = hook_;
    }
    const uint64_t generation = job.generation;
    const Viewport& viewport = job.snapshot.viewport;
    QImage& image = imageFor(QSize(viewport.width(), viewport.height()));
    // Out of memory for the picture: the window keeps what it shows.
    if (image.isNull()) return;
    DrawOptions options = job.snapshot.drawOptions();
    options.files = &files_;
    options.shouldStop = [this, &hook, generation] {
        if (hook) hook(generation);
        return stopping_.load() || latest_.load() != generation;
    };
    PaintResult result;
    {
        QPainter painter(&image);
        result = painter_.paint(painter, viewport, options);
    }
    const bool complete = !result.interrupted;
    if (!complete && result.openErrors.empty()) return;
    // A shallow copy: the buffer comes back to the pool once the GUI lets go.
    QImage picture = complete ? image : QImage();
    QMetaObject::invokeMethod(
        this,
        [this, picture, viewport, generation, complete, errors = std::move(result.openErrors)] {
            deliver(picture, viewport, generation, complete, errors);
        },
        Qt::QueuedConnection);
}

QImage& ChartPictureRenderer::imageFor(const QSize& size)
{
    // A buffer only the pool refers to is free; the GUI holds at most two.
    for (QImage& image : pool_)
        if (image.size() == size && image.isDetached()) return image;
    for (QImage& image : pool_)
        if (image.isNull() || image.isDetached()) {
            image = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
            return image;
        }
    pool_[0] = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    return pool_[0];
}

void ChartPictureRenderer::deliver(QImage image, const Viewport& viewport, uint64_t generation,
                                   bool complete, const std::vector<PaintResult::OpenError>& errors)
{
    if (complete && generation > shownGeneration_) {
        shown_ = std::move(image);
        shownViewport_ = viewport;
        shownGeneration_ = generation;
        emit pictureReady();
    }
    if (!errors.empty()) emit openErrorsFound(errors);
}

} // namespace kesmar
