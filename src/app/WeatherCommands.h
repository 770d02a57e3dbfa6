#pragma once
#include "weather/ui/WeatherDisplayFont.h"

#include <QObject>
#include <QString>

class QWidget;

namespace kesmar {

class CommandSet;
class IniFile;

// The weather commands of the frame: the bulletin sheet on its list page
// (32814, 32824) or on a text page (32825 ... 32831), and the movie player
// (32847). State that lasts for the program's run lives here: the sheet's
// font size and the last movie's file name.
class WeatherCommands : public QObject {
    Q_OBJECT
public:
    WeatherCommands(CommandSet& commands, QWidget& window, QString programFolder, IniFile& profile);

    WeatherDisplayFont& displayFont() { return font_; }
    const QString& movieFile() const { return movieFile_; }

private:
    void bindSheet(CommandSet& commands);

    QWidget& window_;
    QString folder_;
    IniFile& profile_;
    WeatherDisplayFont font_;
    QString movieFile_;
};

} // namespace kesmar
