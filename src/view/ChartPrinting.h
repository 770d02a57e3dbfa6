#pragma once
#include "chartdata/PaintResult.h"
#include "view/ChartViewContext.h"

#include <QObject>
#include <QPrinter>

class QWidget;

namespace kesmar {

class ChartPicture;
class CommandSet;

// Printing of the chart view: one page with the printer colours, the page
// frame and title box, and the view's marks. The screen view is not touched.
// Binds "&Drucken...\tStrg+P", the direct print, "Sei&tenansicht" and
// "Drucker&einrichtung...".
class ChartPrinting : public QObject {
    Q_OBJECT
public:
    ChartPrinting(const ChartViewContext& context, ChartPicture& picture, QWidget& view);

    void bindCommands(CommandSet& commands);

    void print();         // print dialog, then one page
    void printDirect();   // one page on the current printer, no dialog
    void printPreview();  // whole-page preview
    void printSetup();    // page and printer setup

    // Prints one page to `printer` (tests give a PDF printer).
    PaintResult printTo(QPrinter& printer);
    QPrinter& printer() { return printer_; }

private:
    ChartViewContext context_;
    ChartPicture& picture_;
    QWidget& view_;
    QPrinter printer_{QPrinter::HighResolution};
};

} // namespace kesmar
