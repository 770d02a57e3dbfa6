#pragma once
#include <QString>

namespace kesmar::chartbuild {

// Reads a written chart back through the chart file readers and paints a
// plain overview PNG (base area, land, lakes, rivers, borders, points): a
// quick visual check of a build.
bool writePreview(const QString& chartDir, const QString& name, const QString& pngPath, int width,
                  QString* error);

} // namespace kesmar::chartbuild
