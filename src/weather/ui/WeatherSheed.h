#pragma once
#include "weather/WeatherProductLauncher.h"
#include "weather/WeatherProductList.h"

#include <QDialog>

class QTabWidget;

namespace kesmar {

class IniFile;
class WeatherDisplayFont;
class WeatherList;
class WeatherTextPage;

// The modal bulletin sheet " Weather Propertys": the list page and seven
// text pages. The product list is built before the sheet shows.
class WeatherSheed : public QDialog {
    Q_OBJECT
public:
    enum Page { List = 0, NorthSea, Baltic, Europe1, Europe2, Mediterranean, Navtex, Warnings, PageCount };

    // settings may be null; font lives for the program's run.
    WeatherSheed(const QString& programFolder, const IniFile* settings, WeatherDisplayFont& font,
                 Page startPage, QWidget* parent = nullptr);

    // Shows the sheet modally; the program folder is the current directory afterwards.
    static void run(const QString& programFolder, const IniFile* settings, WeatherDisplayFont& font,
                    Page startPage, QWidget* parent);

    QTabWidget& tabs() { return *tabs_; }
    WeatherList& listPage() { return *list_; }
    WeatherTextPage& textPage(Page page);
    const WeatherProductList& products() const { return products_; }
    WeatherProductLauncher& launcher() { return launcher_; }

private:
    WeatherProductList products_;
    WeatherProductLauncher launcher_;
    QTabWidget* tabs_;
    WeatherList* list_;
    std::vector<WeatherTextPage*> textPages_;
};

} // namespace kesmar
