#include "view/CKesmarView.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartStartup.h"
#include "chartdata/SymbolLibrary.h"
#include "chartdata/ColourTable.h"
#include "core/Viewport.h"
#include "view/CommandSet.h"
#include "view/KeyMap.h"
#include "view/MouseController.h"
#include "view/PointInfoController.h"
#include "view/ViewCommands.h"

#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

namespace kesmar {

namespace {

PixelRect clientRect(const QWidget& widget)
{
    return PixelRect{0, 0, widget.width(), widget.height()};
}

} // namespace

CKesmarView::CKesmarView(const ChartViewContext& context, QWidget* parent)
    : QWidget(parent), context_(context)
{
    // The picture is always painted whole: no background erase before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    bindViewCommands();
    viewCommands_ = new ViewCommands(*this, context_);
    connect(&viewCommands_->mouse(), &MouseController::statusMessage, this, &CKesmarView::statusMessage);
    connect(&viewCommands_->mouse(), &MouseController::cursorPositionChanged, this,
            &CKesmarView::cursorPositionChanged);
    picture_.setRoute(&viewCommands_->route());
    pointInfo_ = new PointInfoController(*this, context_, picture_,
                                         [this] { return viewCommands_->mouse().lastRightClick(); });
    printing_.bindCommands(context_.commands);
}

CKesmarView::~CKesmarView()
{
    shutDown();
}

void CKesmarView::bindViewCommands()
{
    const CommandId steps[] = {
        CommandId::PanLeft,     CommandId::PanRight,     CommandId::PanUp,       CommandId::PanDown,
        CommandId::PanLeftHalf, CommandId::PanRightHalf, CommandId::PanUpHalf,   CommandId::PanDownHalf,
        CommandId::ZoomIn,      CommandId::ZoomOut,      CommandId::WholeWorld,  CommandId::ZoomInStep,
        CommandId::ZoomOutStep,
    };
    for (const CommandId command : steps)
        context_.commands.bind(command, [this, code = zoomPanCode(command)] { zoomPan(code); });
}

void CKesmarView::initialUpdate()
{
    context_.startupPhase = StartupPhase::ViewStarting;
    setInteractionMode(InteractionMode::Normal);
    // A window not laid out yet has no area; the viewport then starts on the
    // size the window is about to get.
    PixelRect rect = clientRect(*this);
    if (rect.width() <= 0 || rect.height() <= 0)
        rect = PixelRect{0, 0, 1024, 700};
    ChartStartup::startView(context_.programFolder, rect, context_.config, context_.catalogue, context_.viewport);
    // A missing library leaves the symbols invisible; texts, soundings and
    // dots are drawn all the same.
    Result<SymbolLibrary> symbols = SymbolLibrary::load(context_.programFolder);
    picture_.setSymbols(std::make_shared<const SymbolLibrary>(symbols ? std::move(symbols).value() : SymbolLibrary()));
    // A window manager maximises or places the frame when it gets round to
    // it, after this start-up. A plain resize keeps the zoom relative to the
    // whole world and would zoom the stored view by the ratio of the widths
    // at every start; until the view is moved, the stored scale and offsets
    // are put back after each resize instead.
    storedView_ = ViewPosition{context_.config.viewScale, context_.config.viewXOffset, context_.config.viewYOffset};
    restoredView_ = ViewPosition{context_.viewport.scale(), context_.viewport.xOffset(), context_.viewport.yOffset()};
    emit statusMessage(tr("NON MESSAGE TERMIN"));
    context_.startupPhase = StartupPhase::Running;
    // A resize that arrived while starting was ignored: catch up now.
    if (width() > 0 && height() > 0 && !(clientRect(*this) == rect))
        applyResize();
    update();
}

void CKesmarView::applyResize()
{
    Viewport& viewport = context_.viewport;
    // Moved by the user since: from now on a resize is a plain resize.
    if (storedView_ && !(ViewPosition{viewport.scale(), viewport.xOffset(), viewport.yOffset()} == restoredView_))
        storedView_.reset();
    if (!ChartStartup::resizeView(clientRect(*this), viewport, context_.catalogue) || !storedView_)
        return;
    viewport.restoreView(storedView_->scale, storedView_->xOffset, storedView_->yOffset);
    context_.catalogue.rescaleAndSelect(viewport);
    restoredView_ = ViewPosition{viewport.scale(), viewport.xOffset(), viewport.yOffset()};
}

void CKesmarView::shutDown()
{
    if (shutDownDone_ || context_.startupPhase != StartupPhase::Running)
        return;
    shutDownDone_ = true;
    // Without the folder the file could not be created and the view position
    // of this run would be lost.
    QDir(context_.programFolder).mkpath(QStringLiteral("CHARTDATA"));
    ChartStartup::shutDown(context_.programFolder, context_.viewport, context_.config);
}

InteractionMode CKesmarView::interactionMode() const
{
    return viewCommands_->mouse().mode();
}

void CKesmarView::setInteractionMode(InteractionMode mode)
{
    viewCommands_->mouse().setMode(mode);
}

bool CKesmarView::zoomPan(int code, const QRect& rectangle)
{
    const QRect r = rectangle.normalized();
    // ZoomPan takes exclusive right/bottom edges, QRect's are inclusive.
    if (!context_.viewport.ZoomPan(r.left(), r.left() + r.width(), r.top(), r.top() + r.height(), code))
        return false;
    context_.catalogue.selectForViewport(context_.viewport);
    update();
    return true;
}

void CKesmarView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (context_.startupPhase != StartupPhase::Running)
        return;
    applyResize();
    update();
}

void CKesmarView::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers();
    if (const auto command = acceleratorCommand(event->key(), modifiers)) {
        context_.commands.trigger(*command);
        return;
    }
    const int code = zoomPanKeyCode(event->key(), modifiers);
    if (code != 0 && zoomPan(code))
        return;
    QWidget::keyPressEvent(event);
}

bool CKesmarView::focusNextPrevChild(bool)
{
    // Tab is an accelerator of the chart window, not a focus move.
    return false;
}

void CKesmarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (context_.startupPhase != StartupPhase::Running) {
        // Shown before its start-up: there is no viewport to draw yet.
        const ColourTable colours = ColourTable::fromColorrefs(context_.config.screenColours);
        painter.fillRect(rect(), colours.colour(ColourTable::kBackground));
        return;
    }
    paintChart(painter);
}

// ---- chart picture ----------------------------------------------------------
// The last completed chart picture (drawn off the GUI thread) with the vessel
// mark, crosshair and route line over it.
void CKesmarView::paintChart(QPainter& painter)
{
    picture_.paint(painter);
}

} // namespace kesmar
