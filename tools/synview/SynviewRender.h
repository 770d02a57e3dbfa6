#pragma once
#include "SynviewOptions.h"

#include <QString>
#include <QStringList>

namespace kesmar {

class SynviewScene;

// kesmar-synview --render: the map the window shows, as a PNG picture or a
// PDF page of the same size in points, with its title line.
class SynviewRender {
public:
    // Returns false when nothing could be written; what could not be shown
    // goes to `messages` either way.
    static bool run(const SynviewOptions& options, const QString& programFolder, QStringList& messages);
    // "SYNOP 07.12.2026 12:00 UTC  -  312 von 1200 Stationen gezeigt"
    static QString title(const SynviewScene& scene, int drawn);
};

} // namespace kesmar
