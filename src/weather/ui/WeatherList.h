#pragma once
#include <QWidget>
#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace kesmar {

class FontStepButton;
class WeatherDisplayFont;
class WeatherProductLauncher;
class WeatherProductList;

// Page "WEATHER LIST": every product in a tree of nine roots. A double-click
// opens the selected product in its outside viewer; Enter does nothing.
class WeatherList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kImageSide = 18;

    WeatherList(const WeatherProductList& products, WeatherDisplayFont& font,
                const WeatherProductLauncher& launcher, QWidget* parent = nullptr);

    QTreeWidget& tree() { return *tree_; }
    FontStepButton& fontButton() { return *fontButton_; }
    uint32_t selectedData() const { return selectedData_; }
    bool built() const { return built_; }

    // The tree's images: 0 folder, 1 and 6 spare, 2 bulletin, 3 NAVTEX,
    // 4 SYNOP, 5 fax.
    static QIcon image(int index);

    // Opens the product of the selected item (nothing for a root).
    void openSelected();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void applyFont();

    const WeatherProductList& products_;
    WeatherDisplayFont& font_;
    const WeatherProductLauncher& launcher_;
    QTreeWidget* tree_;
    FontStepButton* fontButton_;
    uint32_t selectedData_ = 0;
    bool built_ = false;
};

} // namespace kesmar
