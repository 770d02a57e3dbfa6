#pragma once
#include "chartdata/ColourTable.h"
#include "chartdata/DrawOptions.h"
#include "chartdata/PointFile.h"
#include "chartdata/PointSizing.h"
#include "core/ViewportTypes.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <memory>

namespace kesmar {

class PointRecord;
class SymbolLibrary;
class Viewport;

// Draws the buoyage points of every drawable chart after the lines: per
// chart the .BWP blocks that meet its visible box, per block the records
// inside it (north to south, stopping south of the box), filtered by level:
//   level <= levelFull                      drawn fully (symbol, text, sounding)
//   level <= levelDot, type 0-17 or 40      a dot (colour 5, printing 7)
//   else                                    nothing
// Point files are read once and kept; a chart whose files cannot be read is
// skipped silently and tried again on the next paint.
class PointPainter {
public:
    // What drawing one record needs besides the record and its pixel.
    struct Style {
        ColourTable colours;
        uint32_t detailFlags = 0xFFFF;    // Text 0x4000, Depths 0x8000
        double buoyageDimension = 0.025;  // d
        TextFont mainFont;                // the chart text font (working copy)
        TextFont smallFont;               // the work text font (working copy)
        bool printing = false;
        double printFactor = 1.0;         // printer dots per inch / 96
        bool fineStripes = true;          // 2-pixel stripes
    };

    static constexpr int kDotColour = 5;
    static constexpr int kPrintDotColour = 7;
    static constexpr int kDepthTextOffset = 10;  // soundings beside obstructions 53, 54, 56

    explicit PointPainter(std::shared_ptr<const SymbolLibrary> library);

    // The buoyage hook of the chart paint (DrawOptions::drawPoints), drawing
    // with a painter of its own that keeps its point files.
    static DrawOptions::PointsHook hook(std::shared_ptr<const SymbolLibrary> library);

    // Every drawable chart's points (options.charts, folder, colours, flags).
    void draw(QPainter& painter, const Viewport& viewport, const DrawOptions& options);

    // The style of a paint: the viewport's working fonts and symbol size
    // (or options.buoyageDimension), the print factor while printing.
    static Style styleFor(const Viewport& viewport, const DrawOptions& options);

    // One record at its pixel: a text (type 63), a sounding (62) or a symbol
    // with decorations and depth figure.
    void drawRecord(QPainter& painter, const PointRecord& record, QPoint pixel,
                    const PointSizing& size, const Style& style) const;

    // The dot of a point drawn only partly: a w x w square with its top-left
    // corner at the pixel, w = max(1, trunc(0.25 * print factor)).
    static void drawDot(QPainter& painter, QPoint pixel, QColor colour, double printFactor);

    // A depth in decimetres as whole metres (right edge at the pixel,
    // vertically centred) and a subscript decimetre digit (left edge at the
    // pixel, top at y + 75 % of the metres' height minus its own height).
    static void drawDepthNumber(QPainter& painter, QPoint pixel, int decimetres,
                                const QFont& metresFont, const QFont& decimetreFont, QColor colour);
    // "4" for 45, "12" for 123: whole metres of 100 dm and more print in full.
    static QString metresText(int decimetres);

    // The text a text record draws: at most (S - 13) mod 115 characters from
    // byte 13, up to the first NUL, from code page 850. A 128-byte record
    // thus draws nothing.
    static QString recordText(const PointRecord& record);

    // A chart font at a pixel height (negative: character height).
    static QFont chartFont(const TextFont& font, int height);

    // The page decoration's symbol 60, black, in the printer colours.
    static PageDecoration::SymbolHook pageSymbolHook(std::shared_ptr<const SymbolLibrary> library,
                                                     const ColourTable& printerColours);

    // Puts point files in hand (built in memory) under a chart name.
    void putFile(const QString& folder, const QString& chartName, PointFile file);
    // Drops the kept point files (charts rebuilt).
    void clearFiles();

private:
    std::shared_ptr<const PointFile> file(const QString& folder, const QString& chartName);
    void drawText(QPainter& painter, const PointRecord& record, QPoint pixel,
                  const PointSizing& size, const Style& style) const;
    void drawSounding(QPainter& painter, QPoint pixel, int decimetres, QColor colour,
                      const PointSizing& size, const Style& style) const;
    void drawChart(QPainter& painter, const Viewport& viewport, const ChartEntry& chart,
                   const PointFile& file, const Style& style) const;

    std::shared_ptr<const SymbolLibrary> library_;
    QMutex mutex_;
    QString folder_;
    QHash<QString, std::shared_ptr<const PointFile>> files_;
};

} // namespace kesmar
