#pragma once
#include "core/Error.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kesmar::chartbuild {

// Replaces the files of one chart as a set. Every new file is written and
// synced under "<name>.new" first; a failure there leaves the old set as it
// was. Then the old files (and those to go) are moved aside to "<name>.old",
// the new ones renamed into place and the old ones deleted; a failure while
// moving puts the old set back. Old files are found regardless of case.
// A marker "<stem>.commit" exists from the moment every new file is whole
// until the swap is done: the next commit after a kill completes the swap
// when it finds the marker and puts the old set back when it does not.
class ChartFileSet {
public:
    void write(const QString& path, const QByteArray& bytes);
    void remove(const QString& path);
    Status commit();

    static constexpr const char* kNewSuffix = ".new";
    static constexpr const char* kOldSuffix = ".old";
    static constexpr const char* kMarkerSuffix = ".commit";

private:
    struct Entry {
        QString path;
        QByteArray bytes;
        bool remove = false;
    };
    struct Moved {
        QString from;
        QString to;
    };
    Status writeTemporaries(std::vector<QString>& written) const;
    Status moveOldAside(std::vector<Moved>& moved) const;
    static void undo(const std::vector<Moved>& moved);
    QString markerPath() const;
    void recover() const;

    std::vector<Entry> entries_;
};

} // namespace kesmar::chartbuild
