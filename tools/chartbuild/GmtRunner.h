#pragma once
#include "GeoLine.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kesmar::chartbuild {

// Extracts GSHHG data with GMT's "coast -M" (multisegment text to stdout)
// and keeps each extract in a cache folder, so that rebuilding a chart does
// not run GMT again. GMT is run directly with an argument list, no shell.
class GmtRunner {
public:
    explicit GmtRunner(QString cacheDir, QString program = QStringLiteral("gmt"));

    // `region` as GMT's -R, `resolution` one of c, l, i, h, f, and the
    // selection (e.g. "-W1/" shores, "-W2/" lakes, "-Ir" rivers, "-N1" borders).
    std::optional<std::vector<GeoLine>> coast(const GeoBox& region, QChar resolution,
                                              const QString& selection, QString* error) const;

    // The argument list used for a coast extract (for the record).
    static QStringList coastArguments(const GeoBox& region, QChar resolution, const QString& selection);

private:
    QString cacheDir_;
    QString program_;
};

} // namespace kesmar::chartbuild
