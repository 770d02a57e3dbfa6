#pragma once
#include "settings/DetailSettings.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QTabWidget;

namespace kesmar {

class CColorsPage;
class MapDetailsPg;
class MapRequesterPg;
class SymbolLibrary;

// The modal "Detail Propertys" sheet: "Chart Details / Buoyage", "Select
// Charts" and "Colors", in this order, the requested one shown first. It
// edits a copy of the settings; OK lets every page that was shown store its
// results into the copy, which settings() then hands back.
class CDetailSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { DetailsPage = 0, ChartsPage = 1, ColoursPage = 2 };

    CDetailSheet(const DetailSettings& settings, const QString& programFolder,
                 std::shared_ptr<const SymbolLibrary> library, Page first, QWidget* parent = nullptr);

    const DetailSettings& settings() const { return settings_; }
    MapDetailsPg& detailsPage() { return *details_; }
    MapRequesterPg& chartsPage() { return *charts_; }
    CColorsPage& coloursPage() { return *colours_; }
    QTabWidget& tabs() { return *tabs_; }
    // Where the pages' messages go (tests); by default message boxes "Kesmar".
    void setMessageSink(std::function<void(const QString&)> sink);

    void accept() override;

    // Runs the sheet modally; the changed settings on OK, nothing on Cancel.
    static std::optional<DetailSettings> run(const DetailSettings& settings, const QString& programFolder,
                                             std::shared_ptr<const SymbolLibrary> library, Page first,
                                             QWidget* parent);

private:
    void pageChanged(int index);
    std::array<uint32_t, 16> chartColours() const;

    DetailSettings settings_;
    QTabWidget* tabs_ = nullptr;
    MapDetailsPg* details_ = nullptr;
    MapRequesterPg* charts_ = nullptr;
    CColorsPage* colours_ = nullptr;
    int current_ = 0;
    bool switchingBack_ = false;
};

} // namespace kesmar
