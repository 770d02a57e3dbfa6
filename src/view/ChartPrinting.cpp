#include "view/ChartPrinting.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PagePrinter.h"
#include "chartdata/PointPainter.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"
#include "view/ChartPicture.h"
#include "view/CommandSet.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QWidget>

namespace kesmar {

ChartPrinting::ChartPrinting(const ChartViewContext& context, ChartPicture& picture, QWidget& view)
    : context_(context), picture_(picture), view_(view)
{
    // One page per job.
    printer_.setFromTo(1, 1);
}

void ChartPrinting::bindCommands(CommandSet& commands)
{
    commands.bind(CommandId::FilePrint, [this] { print(); });
    commands.bind(CommandId::FilePrintDirect, [this] { printDirect(); });
    commands.bind(CommandId::FilePrintPreview, [this] { printPreview(); });
    commands.bind(CommandId::FilePrintSetup, [this] { printSetup(); });
}

void ChartPrinting::print()
{
    QPrintDialog dialog(&printer_, &view_);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) printTo(printer_);
}

void ChartPrinting::printDirect()
{
    printTo(printer_);
}

void ChartPrinting::printPreview()
{
    QPrintPreviewDialog dialog(&printer_, &view_);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(*p); });
    dialog.exec();
}

void ChartPrinting::printSetup()
{
    QPageSetupDialog dialog(&printer_, &view_);
    dialog.exec();
}

PaintResult ChartPrinting::printTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) return {};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PagePrinter::Page page{QSize(printer.width(), printer.height()), double(printer.logicalDpiX()),
                                 double(printer.logicalDpiY())};
    DrawOptions options;
    options.detailFlags = context_.config.detailFlags;
    options.programFolder = context_.programFolder;
    options.files = &picture_.renderer().files();
    options.buoyage = picture_.buoyage();
    options.pageSymbol = PointPainter::pageSymbolHook(
        picture_.symbols(), ChartPainter::activeColours(context_.config, true));
    PagePrinter::Marks marks;
    if (context_.vessel.hasPosition()) {
        marks.vesselLongitude = context_.vessel.longitudeMinutes;
        marks.vesselLatitude = context_.vessel.latitudeMinutes;
    }
    marks.crosshair = picture_.crosshair();
    if (picture_.route()) marks.route = picture_.route()->points();
    marks.overlay = picture_.overlayPainter();
    ChartPainter chartPainter;
    PaintResult result = PagePrinter::print(painter, page, context_.viewport, context_.catalogue,
                                            context_.config, options, marks, chartPainter);
    painter.end();
    QApplication::restoreOverrideCursor();
    picture_.applyOpenErrors(result.openErrors);
    return result;
}

} // namespace kesmar
