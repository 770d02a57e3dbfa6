#include "app/DetailSheetCommands.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "settings/SettingsFileCheck.h"
#include "view/CKesmarView.h"
#include "view/ChartPictureRenderer.h"
#include "view/CommandSet.h"

#include <QMessageBox>

namespace kesmar {

namespace {

QStringList chartNames(const ChartCatalogue& catalogue)
{
    QStringList names;
    for (const ChartEntry& e : catalogue.entries()) names.append(e.name);
    return names;
}

} // namespace

DetailSheetCommands::DetailSheetCommands(CommandSet& commands, CKesmarView& view) : QObject(&view), view_(view)
{
    commands.bind(CommandId::DetailSettings, [this] { open(CDetailSheet::DetailsPage); });
    commands.bind(CommandId::DetailSettingsToolbar, [this] { open(CDetailSheet::DetailsPage); });
    commands.bind(CommandId::ChartColours, [this] { open(CDetailSheet::ColoursPage); });
    commands.bind(CommandId::ChartSelection, [this] { open(CDetailSheet::ChartsPage); });
}

void DetailSheetCommands::open(CDetailSheet::Page page)
{
    const ChartViewContext& c = view_.context();
    const SettingsFileCheck::Findings findings = SettingsFileCheck::check(c.programFolder);
    for (const QString& message : findings.messages)
        QMessageBox::warning(&view_, QStringLiteral("Kesmar"), message);
    const std::optional<DetailSettings> result =
        CDetailSheet::run(DetailSettings::from(c.config, c.catalogue), c.programFolder, view_.picture().symbols(),
                          page, view_.window());
    if (result) apply(*result, findings.listDamaged);
}

void DetailSheetCommands::apply(const DetailSettings& result, bool listDamaged)
{
    const ChartViewContext& c = view_.context();
    const bool listChanged = chartNames(c.catalogue) != chartNames(result.catalogue);
    result.applyTo(c.config);
    const int viewWidth = c.catalogue.viewWidth();
    const int viewHeight = c.catalogue.viewHeight();
    c.catalogue = result.catalogue;
    c.catalogue.setViewSize(viewWidth, viewHeight);
    // The resize rule: symbol size and fonts follow the new style.
    c.viewport.setStyle(c.config.viewportStyle());
    c.viewport.RecomputeViewport();
    c.catalogue.rescaleAndSelect(c.viewport);
    if (listDamaged) SettingsFileCheck::keepDamagedList(c.programFolder);
    if (const std::optional<ChartError> error = c.catalogue.saveList(c.programFolder))
        QMessageBox::warning(&view_, QStringLiteral("Kesmar"), error->message());
    if (listChanged) view_.picture().renderer().files().clear();
    view_.picture().invalidate();
    view_.update();
}

} // namespace kesmar
