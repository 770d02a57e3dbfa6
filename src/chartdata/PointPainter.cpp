#include "chartdata/PointPainter.h"

#include "chartdata/Cp850.h"
#include "chartdata/PageDecoration.h"
#include "chartdata/PointRecord.h"
#include "chartdata/SymbolLibrary.h"
#include "chartdata/SymbolPainter.h"
#include "core/Viewport.h"

#include <QFontMetrics>
#include <QMutexLocker>

#include <algorithm>
#include <cstring>

namespace kesmar {

namespace {

constexpr int kTextAlignCentre = 0x40;
constexpr int kTextAlignRight = 0x20;
constexpr int kTextSmallFont = 0x80;
// A text holds at most this many characters; longer records wrap around.
constexpr size_t kTextPeriod = 115;
constexpr uint8_t kWreckDepthColours = 0x21;
constexpr uint8_t kWreckDepthPrintColours = 0x11;
// Page decoration: the third pattern with black on black.
constexpr int kPageSymbol = 60;

// Draws `text` with its top-left corner at `topLeft` (GDI's text origin).
void drawAt(QPainter& painter, QPoint topLeft, const QString& text, const QFontMetrics& metrics)
{
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

// The depth figure; without a decimetre font only the metres.
void depthNumber(QPainter& painter, QPoint at, int decimetres, const QFont& metresFont,
                 const QFont* decimetreFont, QColor colour)
{
    painter.setPen(colour);
    painter.setFont(metresFont);
    const QFontMetrics big(metresFont);
    const QString metres = PointPainter::metresText(decimetres);
    const int h = big.height();
    drawAt(painter, QPoint(at.x() - big.horizontalAdvance(metres), at.y() - h / 2), metres, big);
    if (!decimetreFont) return;
    painter.setFont(*decimetreFont);
    const QFontMetrics small(*decimetreFont);
    const QString digit(QChar(u'0' + decimetres % 10));
    drawAt(painter, QPoint(at.x(), at.y() + (75 * h) / 100 - small.height()), digit, small);
}

} // namespace

PointPainter::PointPainter(std::shared_ptr<const SymbolLibrary> library)
    : library_(library ? std::move(library) : std::make_shared<const SymbolLibrary>())
{
}

DrawOptions::PointsHook PointPainter::hook(std::shared_ptr<const SymbolLibrary> library)
{
    auto points = std::make_shared<PointPainter>(std::move(library));
    return [points](QPainter& painter, const Viewport& viewport, const DrawOptions& options) {
        points->draw(painter, viewport, options);
    };
}

PageDecoration::SymbolHook PointPainter::pageSymbolHook(std::shared_ptr<const SymbolLibrary> library,
                                                        const ColourTable& printerColours)
{
    if (!library) library = std::make_shared<const SymbolLibrary>();
    return [library, printerColours](QPainter& painter, QPoint reference, double size) {
        SymbolPainter s(painter, *library, printerColours);
        s.setOrigin(reference);
        s.setSize(size);
        s.setPattern(PointPattern::Stripes4);
        s.setPointColours(Qt::black, Qt::black);
        s.drawSymbol(kPageSymbol);
    };
}

PointPainter::Style PointPainter::styleFor(const Viewport& viewport, const DrawOptions& options)
{
    Style s;
    s.colours = options.colours;
    s.detailFlags = options.detailFlags;
    s.buoyageDimension = options.buoyageDimension > 0.0 ? options.buoyageDimension : viewport.symbolSize();
    s.mainFont = viewport.chartFont();
    s.smallFont = viewport.workFont();
    s.printing = viewport.isPrinting();
    s.printFactor = s.printing && options.pageDotsPerInch > 0.0
                        ? PageDecoration::printScreenRatio(options.pageDotsPerInch)
                        : 1.0;
    s.fineStripes = PointPatterns::fineStripes(viewport.width(), s.printing);
    return s;
}

std::shared_ptr<const PointFile> PointPainter::file(const QString& folder, const QString& chartName)
{
    QMutexLocker lock(&mutex_);
    if (folder != folder_) {
        files_.clear();
        folder_ = folder;
    }
    if (auto it = files_.constFind(chartName); it != files_.constEnd()) return *it;
    Result<PointFile> loaded = PointFile::load(folder, chartName);
    if (!loaded) return nullptr;  // no point files: the chart simply has no points
    auto shared = std::make_shared<const PointFile>(std::move(loaded).value());
    files_.insert(chartName, shared);
    return shared;
}

void PointPainter::putFile(const QString& folder, const QString& chartName, PointFile file)
{
    QMutexLocker lock(&mutex_);
    if (folder != folder_) {
        files_.clear();
        folder_ = folder;
    }
    files_.insert(chartName, std::make_shared<const PointFile>(std::move(file)));
}

void PointPainter::clearFiles()
{
    QMutexLocker lock(&mutex_);
    files_.clear();
}

void PointPainter::draw(QPainter& painter, const Viewport& viewport, const DrawOptions& options)
{
    if (!options.chartsAvailable) return;
    const Style style = styleFor(viewport, options);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const ChartEntry& chart : options.charts) {
        if (!chart.isDrawable()) continue;
        if (const std::shared_ptr<const PointFile> f = file(options.programFolder, chart.name))
            drawChart(painter, viewport, chart, *f, style);
    }
    painter.restore();
}

void PointPainter::drawChart(QPainter& painter, const Viewport& viewport, const ChartEntry& chart,
                             const PointFile& file, const Style& style) const
{
    const ChartBox& box = chart.visibleBox;
    const uint8_t levelFull = viewport.levelFull();
    const uint8_t levelDot = viewport.levelDot();
    const QColor dotColour = style.colours.colour(style.printing ? kPrintDotColour : kDotColour);
    for (const PointBlockEntry& block : file.blocks()) {
        if (block.yMax < box.top || block.xMax < box.left || block.xMin > box.right || block.yMin > box.bottom)
            continue;
        const int n = file.recordCount(block);
        for (int i = 0; i < n; ++i) {
            const std::optional<PointRecord> r = file.record(block, i);
            if (!r) break;
            const int32_t y = r->y();
            const int32_t x = r->x();
            if (y < box.top || x < box.left || x > box.right) continue;
            // Records run north to south: the rest of the block lies south of the view.
            if (y > box.bottom) break;
            const QPoint pixel = viewport.projectClamped(r->position());
            const int type = r->objectType();
            if (r->level() > levelFull) {
                if (r->level() <= levelDot && (type < 18 || type == PointRecord::kTypeLighthouse))
                    drawDot(painter, pixel, dotColour, style.printFactor);
                continue;
            }
            const PointSizing size = PointSizing::forLevel(r->level(), style.buoyageDimension,
                                                           viewport.scale(), style.printFactor, style.printing);
            drawRecord(painter, *r, pixel, size, style);
        }
    }
}

void PointPainter::drawRecord(QPainter& painter, const PointRecord& record, QPoint pixel,
                              const PointSizing& size, const Style& style) const
{
    const int type = record.objectType();
    const int modifier = record.modifier();
    if (type == PointRecord::kTypeText) {
        if ((style.detailFlags & DetailFlags::Text) && record.size() > PointRecord::kMinSize)
            drawText(painter, record, pixel, size, style);
        return;
    }
    const QColor depthColour = style.colours.colour(record.background());
    if (type == PointRecord::kTypeSounding) {
        if (style.detailFlags & DetailFlags::Depths)
            drawSounding(painter, pixel, modifier, depthColour, size, style);
        return;
    }
    SymbolPainter s(painter, *library_, style.colours);
    s.setOrigin(pixel);
    s.setSize(size.symbol);
    s.setPattern(PointPatterns::forTypeByte(record.typeByte(), style.fineStripes));
    s.setPointColours(style.colours.colour(record.foreground()), depthColour);
    s.drawDecoratedSymbol(type, uint8_t(modifier));
    if (modifier == 0) return;
    if (type == 53 || type == 54 || type == 56) {
        drawSounding(painter, pixel + QPoint(kDepthTextOffset, 0), modifier, depthColour, size, style);
    } else if (type == 47 || type == 48) {
        const uint8_t c = style.printing ? kWreckDepthPrintColours : kWreckDepthColours;
        drawSounding(painter, pixel, modifier, style.colours.colour(c >> 4), size, style);
    }
}

void PointPainter::drawText(QPainter& painter, const PointRecord& record, QPoint pixel,
                            const PointSizing& size, const Style& style) const
{
    const uint8_t c = record.colourByte();
    const TextFont& font = (c & kTextSmallFont) ? style.smallFont : style.mainFont;
    const int height = PointSizing::fontHeight(font.height, style.buoyageDimension, size.text);
    if (!PointSizing::drawable(height)) return;
    const QString text = recordText(record);
    if (text.isEmpty()) return;
    const QFont qfont = chartFont(font, height);
    const QFontMetrics metrics(qfont);
    const int width = metrics.horizontalAdvance(text);
    int left = pixel.x();
    if (c & kTextAlignCentre)
        left -= width / 2;
    else if (c & kTextAlignRight)
        left -= width;
    painter.setFont(qfont);
    painter.setPen(style.colours.colour(c & 0x0F));
    drawAt(painter, QPoint(left, pixel.y() - metrics.height() / 2), text, metrics);
}

void PointPainter::drawSounding(QPainter& painter, QPoint pixel, int decimetres, QColor colour,
                                const PointSizing& size, const Style& style) const
{
    const double d = style.buoyageDimension;
    const int main = PointSizing::fontHeight(style.mainFont.height, d, size.text);
    if (!PointSizing::drawable(main)) return;
    const int small = PointSizing::fontHeight(style.smallFont.height, d, size.text);
    const QFont smallFont = chartFont(style.smallFont, small);
    depthNumber(painter, pixel, decimetres, chartFont(style.mainFont, main),
                PointSizing::drawable(small) ? &smallFont : nullptr, colour);
}

void PointPainter::drawDepthNumber(QPainter& painter, QPoint pixel, int decimetres,
                                   const QFont& metresFont, const QFont& decimetreFont, QColor colour)
{
    depthNumber(painter, pixel, decimetres, metresFont, &decimetreFont, colour);
}

QString PointPainter::recordText(const PointRecord& record)
{
    if (record.size() <= PointRecord::kOffText) return {};
    const std::span<const uint8_t> bytes = record.bytes().subspan(PointRecord::kOffText);
    const size_t length = bytes.size() % kTextPeriod;
    const auto* chars = reinterpret_cast<const char*>(bytes.data());
    return fromCp850(std::string_view(chars, strnlen(chars, length)));
}

QString PointPainter::metresText(int decimetres)
{
    return QString::number(std::max(0, decimetres) / 10);
}

void PointPainter::drawDot(QPainter& painter, QPoint pixel, QColor colour, double printFactor)
{
    const int w = std::max(1, int(0.25 * printFactor));
    painter.fillRect(QRect(pixel.x(), pixel.y(), w, w), colour);
}

QFont PointPainter::chartFont(const TextFont& font, int height)
{
    QFont f(font.family);
    f.setPixelSize(std::max(1, height < 0 ? -height : height));
    f.setWeight(QFont::Weight(std::clamp(font.weight > 0 ? font.weight : 400, 1, 1000)));
    f.setItalic(font.italic);
    return f;
}

} // namespace kesmar
