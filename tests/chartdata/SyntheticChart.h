#pragma once
// Small charts written to a temporary program folder for the drawing tests.
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartHeader.h"
#include "chartdata/LineFileWriter.h"
#include "core/ChartPoint.h"
#include "core/FileUtil.h"
#include "core/Viewport.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <span>
#include <string>
#include <vector>

namespace kesmar::test {

inline std::vector<ChartPoint> boxRing(int32_t top, int32_t left, int32_t bottom, int32_t right)
{
    return {{top, left}, {top, right}, {bottom, right}, {bottom, left}};
}

// A program folder with CHARTDATA/ and charts written through the chart writer.
class SyntheticCharts {
public:
    SyntheticCharts() { QDir(dir_.path()).mkpath(QStringLiteral("CHARTDATA")); }
    QString folder() const { return dir_.path(); }

    // Writes <name>.HDR/.WPN/.LIN; the header box is the whole world unless given.
    bool write(const QString& name, const LineFileWriter& writer,
               ChartBox box = {-kWorldHalfHeight, -kWorldHalfWidth, kWorldHalfHeight, kWorldHalfWidth})
    {
        LineFileWriter::Image image;
        std::string error;
        if (!writer.build(image, &error)) return false;
        ChartHeader header;
        header.setBox(box);
        for (int k = 0; k < ChartHeader::kLayerCount; ++k)
            header.layerOffset[size_t(k)] = image.layerOffsets[size_t(k)];
        const QString base = folder() + QStringLiteral("/CHARTDATA/") + name;
        return !header.writeFile(base + QStringLiteral(".HDR"))
               && writeFileAtomically(base + QStringLiteral(".WPN"), image.wpn).ok()
               && writeFileAtomically(base + QStringLiteral(".LIN"), image.lin).ok();
    }
    void remove(const QString& name, const char* ext)
    {
        QFile::remove(folder() + QStringLiteral("/CHARTDATA/") + name + QLatin1String(ext));
    }
    // A catalogue of the given charts, selected for `viewport`.
    ChartCatalogue catalogue(const QStringList& names, const Viewport& viewport) const
    {
        ChartCatalogue cat;
        cat.setViewSize(viewport.width(), viewport.height());
        for (const QString& n : names) cat.addChart(folder(), n);
        cat.rescaleAndSelect(viewport);
        return cat;
    }

private:
    QTemporaryDir dir_;
};

} // namespace kesmar::test
