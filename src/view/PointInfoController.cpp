#include "view/PointInfoController.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointHitTest.h"
#include "core/Viewport.h"
#include "view/ChartPicture.h"
#include "view/CommandSet.h"
#include "view/PointInfoWindow.h"
#include "view/PointSymbolPreview.h"

#include <QApplication>
#include <QWidget>

namespace kesmar {

PointInfoController::PointInfoController(QWidget& view, const ChartViewContext& context, ChartPicture& picture,
                                         std::function<QPoint()> clickPoint)
    : QObject(&view)
    , view_(view)
    , context_(context)
    , picture_(picture)
    , clickPoint_(std::move(clickPoint))
    , errorSound_([] { QApplication::beep(); })
    , window_(new PointInfoWindow(&view))
{
    // Dismissing the window is the same as the command: the selection goes.
    connect(window_, &PointInfoWindow::dismissed, this, [this] {
        if (selected_)
            unselect();
        else
            window_->hide();
    });
    context_.commands.bind(CommandId::PointInfo, [this] { toggle(); });
}

PointInfoController::~PointInfoController() = default;

void PointInfoController::toggle()
{
    if (selected_)
        unselect();
    else
        select(clickPoint_());
}

void PointInfoController::select(QPoint pixel)
{
    const Viewport& viewport = context_.viewport;
    const bool available = (context_.catalogue.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    const PointHitTest::Hit hit = PointHitTest::find(viewport, context_.catalogue.entries(), available,
                                                     PointHitTest::diskFiles(context_.programFolder), pixel.x(),
                                                     pixel.y());
    if (!hit.found()) {
        errorSound_();
        return;
    }
    selected_ = hit.record;
    picture_.setCrosshair(hit.record->position());
    const QPoint onScreen = view_.mapToGlobal(viewport.projectClamped(hit.record->position()));
    window_->showPoint(*hit.record, onScreen, picture_.symbols(), ChartPainter::activeColours(context_.config, true),
                       context_.config.workFont.faceName());
}

void PointInfoController::unselect()
{
    selected_.reset();
    picture_.setCrosshair(std::nullopt);
    window_->hide();
    window_->preview().clear();
}

} // namespace kesmar
