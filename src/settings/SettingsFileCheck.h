#pragma once
#include <QString>
#include <QStringList>

namespace kesmar {

// CHARTLIST.LST and CHART.CFG as found on disk when the sheet opens. A file
// of the wrong size was read only in part; the user is told before OK
// writes over it, and the damaged list is kept beside the new one.
class SettingsFileCheck {
public:
    struct Findings {
        bool listDamaged = false;
        bool configDamaged = false;
        QStringList messages;  // German, for the message box
    };
    static Findings check(const QString& programFolder);
    // Copies a damaged CHARTLIST.LST to CHARTLIST.LST.bak before it is replaced.
    static bool keepDamagedList(const QString& programFolder);
};

} // namespace kesmar
