#include "SymbolSource.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace kesmar::chartbuild {

namespace {

// Bits 1 and 3 belong to the shape numbers too; bit 5 outlines polygons.
constexpr uint16_t kOutlineBit = 0x20;

std::optional<int> colourIndex(const QString& text)
{
    if (text == QLatin1String("pattern")) return SymbolLibrary::kPatternFill;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 0 || v > 15) return std::nullopt;
    return v;
}

int shapeOf(const QString& word)
{
    if (word == QLatin1String("polyline")) return SymbolLibrary::Polyline;
    if (word == QLatin1String("polygon")) return SymbolLibrary::Polygon;
    if (word == QLatin1String("ellipse")) return SymbolLibrary::Ellipse;
    return 0;
}

// "SHAPE options : points" into one element; the reason when it cannot be.
std::optional<SymbolLibrary::Element> parseElement(const QString& line, QString& reason)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        reason = QStringLiteral("an element needs ':' before its points");
        return std::nullopt;
    }
    const QStringList head = line.left(colon).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int shape = head.isEmpty() ? 0 : shapeOf(head[0]);
    if (!shape) {
        reason = QStringLiteral("unknown shape (polyline, polygon or ellipse)");
        return std::nullopt;
    }
    std::optional<int> fill;
    std::optional<int> outline;
    bool amber = false;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QString& o = head[i];
        if (o == QLatin1String("amber")) {
            amber = true;
        } else if (o.startsWith(QLatin1String("fill=")) && (fill = colourIndex(o.mid(5)))) {
        } else if (o.startsWith(QLatin1String("line=")) && (outline = colourIndex(o.mid(5)))) {
        } else {
            reason = QStringLiteral("unknown option '%1'").arg(o);
            return std::nullopt;
        }
    }
    const std::optional<uint16_t> style = SymbolSource::style(shape, fill, outline, amber);
    if (!style) {
        reason = amber ? QStringLiteral("amber takes no colours")
                 : !outline ? QStringLiteral("polylines and ellipses are always outlined: give line=C")
                            : QStringLiteral("colour 0 for both fill and line draws amber: write amber");
        return std::nullopt;
    }
    SymbolLibrary::Element e;
    e.style = *style;
    for (const QString& p : line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList xy = p.split(QLatin1Char(','));
        bool okX = false;
        bool okY = false;
        const int x = xy.size() == 2 ? xy[0].toInt(&okX) : 0;
        const int y = xy.size() == 2 ? xy[1].toInt(&okY) : 0;
        if (!okX || !okY || x < -32768 || x > 32767 || y < -32768 || y > 32767) {
            reason = QStringLiteral("bad point '%1' (x,y within -32768..32767)").arg(p);
            return std::nullopt;
        }
        e.points.emplace_back(x, y);
    }
    const size_t needed = shape == SymbolLibrary::Ellipse ? 2 : 1;
    if (e.points.size() < needed) {
        reason = QStringLiteral("too few points");
        return std::nullopt;
    }
    return e;
}

} // namespace

std::optional<uint16_t> SymbolSource::style(int shape, std::optional<int> fill, std::optional<int> line,
                                            bool amber)
{
    uint16_t s = uint16_t(shape);
    if (amber) {
        if (fill || line) return std::nullopt;
        return uint16_t(s | SymbolLibrary::kFillBit | kOutlineBit);
    }
    if (fill) s |= uint16_t(SymbolLibrary::kFillBit | (*fill << 8));
    if (line) s |= uint16_t(kOutlineBit | (*line << 12));
    // The shape bits of polylines (bit 1) and ellipses (bit 3) outline them anyway.
    else if (shape != SymbolLibrary::Polygon) return std::nullopt;
    // Zero colour bits mean the fixed amber: only on purpose.
    if ((fill || line) && (s & 0xFF00) == 0) return std::nullopt;
    return s;
}

Result<SymbolLibrary::Entries> SymbolSource::parse(QByteArrayView text, const QString& fileName)
{
    SymbolLibrary::Entries entries;
    QSet<int> seen;
    int current = -1;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    static const QRegularExpression symbolLine(QStringLiteral("^symbol\\s+(\\d+)(\\s.*)?$"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].simplified();
        const int number = int(i) + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (const auto m = symbolLine.match(line); m.hasMatch()) {
            bool ok = false;
            current = m.captured(1).toInt(&ok);
            if (!ok || current >= SymbolLibrary::kEntryCount)
                return Error::atLine(fileName, number, QStringLiteral("symbol numbers run from 0 to 92"));
            if (seen.contains(current))
                return Error::atLine(fileName, number, QStringLiteral("symbol %1 appears twice").arg(current));
            seen.insert(current);
            continue;
        }
        if (current < 0)
            return Error::atLine(fileName, number, QStringLiteral("an element before the first 'symbol' line"));
        QString reason;
        std::optional<SymbolLibrary::Element> e = parseElement(line, reason);
        if (!e) return Error::atLine(fileName, number, reason);
        entries[size_t(current)].push_back(std::move(*e));
    }
    return entries;
}

} // namespace kesmar::chartbuild
