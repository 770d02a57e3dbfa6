#include "settings/CDetailSheet.h"

#include "settings/CColorsPage.h"
#include "settings/MapDetailsPg.h"
#include "settings/MapRequesterPg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kesmar {

CDetailSheet::CDetailSheet(const DetailSettings& settings, const QString& programFolder,
                           std::shared_ptr<const SymbolLibrary> library, Page first, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setWindowTitle(tr("Detail Propertys"));
    setObjectName(QStringLiteral("DetailSheet"));
    tabs_ = new QTabWidget(this);
    colours_ = new CColorsPage(settings_, library);
    auto colours = [this] { return chartColours(); };
    details_ = new MapDetailsPg(settings_, library, colours);
    charts_ = new MapRequesterPg(settings_, programFolder, [colours] { return ColourTable::fromColorrefs(colours()); });
    // The pages are laid out for an 8-point dialog font.
    QFont pageFont = font();
    pageFont.setPointSize(8);
    for (QWidget* page : {static_cast<QWidget*>(details_), static_cast<QWidget*>(charts_), static_cast<QWidget*>(colours_)}) {
        page->setFont(pageFont);
        page->setFixedSize(480, 400);
    }
    tabs_->addTab(details_, tr("Chart Details / Buoyage"));
    tabs_->addTab(charts_, tr("Select Charts"));
    tabs_->addTab(colours_, tr("Colors"));
    tabs_->setCurrentIndex(int(first));
    current_ = int(first);
    connect(tabs_, &QTabWidget::currentChanged, this, &CDetailSheet::pageChanged);
    connect(colours_, &CColorsPage::chartColoursChanged, charts_, &MapRequesterPg::coloursChanged);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDetailSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDetailSheet::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDetailSheet::setMessageSink(std::function<void(const QString&)> sink)
{
    colours_->setMessageSink(sink);
    charts_->setMessageSink(sink);
}

std::array<uint32_t, 16> CDetailSheet::chartColours() const
{
    // The chart previews draw in the colours as edited, once the page is up.
    return colours_->wasShown() ? colours_->chartColours() : settings_.screenColours();
}

void CDetailSheet::pageChanged(int index)
{
    if (switchingBack_) return;
    // The colour boxes are checked when the page is left.
    if (current_ == ColoursPage && index != ColoursPage && !colours_->validate()) {
        switchingBack_ = true;
        tabs_->setCurrentIndex(ColoursPage);
        switchingBack_ = false;
        return;
    }
    current_ = index;
}

void CDetailSheet::accept()
{
    if (colours_->wasShown() && !colours_->validate()) {
        tabs_->setCurrentIndex(ColoursPage);
        return;
    }
    details_->storeResults();
    colours_->storeResults();
    QDialog::accept();
}

std::optional<DetailSettings> CDetailSheet::run(const DetailSettings& settings, const QString& programFolder,
                                                std::shared_ptr<const SymbolLibrary> library, Page first,
                                                QWidget* parent)
{
    CDetailSheet sheet(settings, programFolder, std::move(library), first, parent);
    if (sheet.exec() != QDialog::Accepted) return std::nullopt;
    return sheet.settings();
}

} // namespace kesmar
