#include "view/PointSymbolPreview.h"

#include "chartdata/SymbolLibrary.h"
#include "chartdata/SymbolPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kesmar {

namespace {

// The program's default chart text font (Arial, swiss, variable pitch) at a
// pixel height and weight.
QFont chartTextFont(int pixels, int weight)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setWeight(QFont::Weight(weight));
    return f;
}

// Whole metres right of the reference point's left, decimetres as a
// subscript right of it. From 100 decimetres on the whole metres are
// printed in full.
void drawDepthFigure(QPainter& painter, QPoint reference, int depth)
{
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QString metres = QString::number(depth / 10);
    const QString decimetres = QString::number(depth % 10);
    const QFont big = chartTextFont(16, 700);
    const QFont small = chartTextFont(14, 600);
    const QFontMetrics bigMetrics(big), smallMetrics(small);
    const int w = bigMetrics.horizontalAdvance(metres);
    const int h = bigMetrics.height();
    const int h2 = smallMetrics.height();
    painter.setFont(big);
    painter.drawText(QRect(reference.x() - w, reference.y() - h / 2, w, h), Qt::AlignLeft | Qt::AlignTop, metres);
    painter.setFont(small);
    painter.drawText(QRect(reference.x(), reference.y() + (75 * h) / 100 - h2, smallMetrics.horizontalAdvance(decimetres), h2),
                     Qt::AlignLeft | Qt::AlignTop, decimetres);
}

void drawTextWord(QPainter& painter, QPoint reference)
{
    const QFont font = chartTextFont(16, 700);
    const QFontMetrics metrics(font);
    const QString word = QStringLiteral("TEXT");
    const int w = metrics.horizontalAdvance(word);
    const int h = metrics.height();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(reference.x() - w / 2, reference.y() - h / 2, w, h), Qt::AlignLeft | Qt::AlignTop, word);
}

} // namespace

PointSymbolPreview::PointSymbolPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PointSymbolPreview::show(const PointRecord& record, std::shared_ptr<const SymbolLibrary> library,
                              const ColourTable& printerColours)
{
    record_ = record;
    library_ = std::move(library);
    colours_ = printerColours;
    update();
}

void PointSymbolPreview::clear()
{
    record_.reset();
    update();
}

void PointSymbolPreview::draw(QPainter& painter, QSize area, const PointRecord& record, const SymbolLibrary* library,
                              const ColourTable& printerColours)
{
    QPoint reference(area.width() / 2, 3 * (area.height() / 4));
    const int type = record.objectType();
    const int depth = record.modifier();
    if (type == PointRecord::kTypeText) {
        drawTextWord(painter, reference);
        return;
    }
    if (type != PointRecord::kTypeSounding) {
        if (library)
            SymbolPainter::drawPointSymbol(painter, *library, printerColours, record, reference, kSymbolSize, false);
        if (depth == 0)
            return;
        if (type == 53 || type == 54 || type == 56)
            reference.rx() += 10;
        else if (type != 47 && type != 48)
            return;
    }
    drawDepthFigure(painter, reference, depth);
}

void PointSymbolPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The face of a push button, as the owner-drawn button had.
    painter.fillRect(rect(), palette().button());
    if (!record_)
        return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter, size(), *record_, library_.get(), colours_);
}

void PointSymbolPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emit released();
}

} // namespace kesmar
