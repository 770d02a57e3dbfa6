#include "Preview.h"

#include "chartdata/ChartHeader.h"
#include "chartdata/LineFile.h"
#include "chartdata/PackedPointRecord.h"
#include "chartdata/PointFile.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <vector>

namespace kesmar::chartbuild {

bool writePreview(const QString& chartDir, const QString& name, const QString& pngPath, int width,
                  QString* error)
{
    const QString folder = QDir(chartDir).absoluteFilePath(QStringLiteral(".."));
    ChartError headerError;
    const auto header = ChartHeader::readFile(ChartHeader::pathFor(folder, name), &headerError);
    const Result<LineFile> loaded = LineFile::load(folder, name);
    if (!header || !loaded) {
        if (error)
            *error = QStringLiteral("%1: chart cannot be read back").arg(name);
        return false;
    }
    const LineFile& lines = *loaded;
    const ChartBox box = header->box();
    const double sx = double(width) / (double(box.right) - box.left);
    const int height = std::max(1, int((double(box.bottom) - box.top) * sx + 0.5));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x18, 0x18, 0xA8));
    QPainter painter(&image);
    auto map = [&](const ChartPoint& p) {
        return QPointF((p.x - box.left) * sx, (p.y - box.top) * sx);
    };
    std::vector<ChartPoint> buffer(PackedPointRecord::kMaxPoints);
    auto drawSection = [&](int32_t offset, const QColor& colour) {
        LineSection section = lines.section(offset);
        for (LineIndexEntry e; section.next(e);) {
            const int n = lines.decode(e, buffer);
            if (n < 0)
                continue;
            QPolygonF poly;
            for (int i = 0; i < n; ++i)
                poly << map(buffer[size_t(i)]);
            if (e.isArea()) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour);
                painter.drawPolygon(poly);
            } else {
                painter.setPen(colour);
                painter.setBrush(Qt::NoBrush);
                painter.drawPolyline(poly);
            }
        }
    };
    drawSection(0, QColor(0x18, 0x18, 0xA8));
    const QColor layerColours[10] = {Qt::cyan, Qt::cyan, Qt::cyan, Qt::darkGreen, QColor(0x90, 0x60, 0x00),
                                     QColor(0x00, 0x00, 0xD0), Qt::red, QColor(0x00, 0x00, 0xD0), Qt::gray,
                                     Qt::magenta};
    for (int k = 0; k < 10; ++k)
        if (header->hasLayer(k))
            drawSection(header->layerOffset[size_t(k)], layerColours[k]);
    if (const auto points = PointFile::load(folder, name)) {
        for (const PointBlockEntry& b : points->blocks())
            for (int i = 0; i < points->recordCount(b); ++i) {
                const auto r = points->record(b, i);
                painter.fillRect(QRectF(map(r->position()) - QPointF(1, 1), QSizeF(3, 3)),
                                 r->objectType() == 63 ? Qt::white : Qt::yellow);
            }
    }
    painter.end();
    if (!image.save(pngPath)) {
        if (error)
            *error = QStringLiteral("%1: cannot be written").arg(pngPath);
        return false;
    }
    return true;
}

} // namespace kesmar::chartbuild
