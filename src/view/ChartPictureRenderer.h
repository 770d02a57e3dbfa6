#pragma once
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/PaintResult.h"
#include "core/Viewport.h"
#include "view/ChartSnapshot.h"

#include <QImage>
#include <QObject>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kesmar {

// Draws chart pictures on a thread of its own, so that the window never shows
// a half-drawn chart and fast pan and zoom keys do not queue up slow paints.
//
// Each request carries an immutable snapshot and a generation number. A newer
// request abandons the picture in flight at its next layer boundary; only
// completed pictures are handed over (pictureReady), so the window keeps its
// last complete picture meanwhile. Open errors found while drawing come back
// on the GUI thread (openErrorsFound) for the owner of the catalogue.
class ChartPictureRenderer : public QObject {
    Q_OBJECT
public:
    explicit ChartPictureRenderer(QObject* parent = nullptr);
    ~ChartPictureRenderer() override;

    // Queues a picture of `snapshot`; returns its generation.
    uint64_t request(ChartSnapshot snapshot);

    // The last completed picture and the viewport it was drawn for.
    bool hasPicture() const { return shownGeneration_ != 0; }
    const QImage& image() const { return shown_; }
    const Viewport& viewport() const { return shownViewport_; }
    uint64_t shownGeneration() const { return shownGeneration_; }
    uint64_t latestGeneration() const { return latest_.load(); }

    // The chart files the pictures are drawn from, shared with the printer
    // and mini windows.
    LineFileCache& files() { return files_; }

    // Blocks until no picture is queued or being drawn (tests, shutdown).
    bool waitUntilIdle(int timeoutMs);

    // Called on the picture thread at every point where a picture may be
    // abandoned, with the picture's generation (test seam).
    void setCheckpointHook(std::function<void(uint64_t)> hook);

signals:
    void pictureReady();
    void openErrorsFound(const std::vector<kesmar::PaintResult::OpenError>& errors);

private:
    struct Job {
        ChartSnapshot snapshot;
        uint64_t generation = 0;
    };

    void run();
    void draw(const Job& job);
    QImage& imageFor(const QSize& size);
    void deliver(QImage image, const Viewport& viewport, uint64_t generation, bool complete,
                 const std::vector<PaintResult::OpenError>& errors);

    // Picture thread state.
    ChartPainter painter_;
    LineFileCache files_;
    // Reused picture buffers: one is shown, one may wait for the GUI, one is drawn.
    std::array<QImage, 3> pool_;

    // Shared state.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    bool busy_ = false;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> latest_{0};
    std::function<void(uint64_t)> hook_;

    // GUI thread state.
    QImage shown_;
    Viewport shownViewport_;
    uint64_t shownGeneration_ = 0;

    std::thread thread_;
};

} // namespace kesmar
