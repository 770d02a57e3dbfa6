#include "weather/ui/WeatherSheed.h"

#include "weather/WeatherFileEntry.h"
#include "weather/ui/WeatherDisplayFont.h"
#include "weather/ui/WeatherList.h"
#include "weather/ui/WeatherTextPage.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace kesmar {
namespace {

struct TextPageRow {
    const char* className;
    const char* caption;
    uint32_t mask;
};

constexpr std::array<TextPageRow, 7> kTextPages = {{
    {"WaetherNordsea", "NORTHSEA", WeatherKind::NorthSea},
    {"WeatherBaltic", "BALTIC SEA", WeatherKind::Baltic},
    {"WeatherEuropa1", "EUROPA PART 1", WeatherKind::Europe1},
    {"WeatherEurop2", "EUROPA PART 2", WeatherKind::Europe2},
    {"WaetherMediteran", "MEDITERRANEAN SEA", WeatherKind::Mediterranean},
    {"WeatherNavtex", "NAVTEX", WeatherKind::Navtex},
    {"WeatherWarnings", "WARNINGS", WeatherKind::Warning},
}};

} // namespace

WeatherSheed::WeatherSheed(const QString& programFolder, const IniFile* settings, WeatherDisplayFont& font,
                           Page startPage, QWidget* parent)
    : QDialog(parent)
    , products_(WeatherProductList::build(programFolder))
    , launcher_(programFolder, settings)
    , tabs_(new QTabWidget(this))
    , list_(new WeatherList(products_, font, launcher_))
{
    setObjectName(QStringLiteral("WeatherSheed"));
    setWindowTitle(QStringLiteral(" Weather Propertys"));
    tabs_->addTab(list_, QStringLiteral("WEATHER LIST"));
    for (const TextPageRow& row : kTextPages) {
        auto* page = new WeatherTextPage(row.className, row.mask, products_, font);
        textPages_.push_back(page);
        tabs_->addTab(page, QString::fromLatin1(row.caption));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
    resize(820, 560); // a 500 x 300 dialog-unit page
    tabs_->setCurrentIndex(startPage >= 0 && startPage < PageCount ? startPage : List);
}

WeatherTextPage& WeatherSheed::textPage(Page page)
{
    return *textPages_.at(static_cast<size_t>(page - NorthSea));
}

void WeatherSheed::run(const QString& programFolder, const IniFile* settings, WeatherDisplayFont& font,
                       Page startPage, QWidget* parent)
{
    {
        WeatherSheed sheet(programFolder, settings, font, startPage, parent);
        sheet.exec();
    }
    QDir::setCurrent(programFolder);
}

} // namespace kesmar
