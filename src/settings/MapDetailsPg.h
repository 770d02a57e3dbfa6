#pragma once
#include "chartdata/LogFont.h"
#include "settings/DetailSettings.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QPushButton;
class QSlider;

namespace kesmar {

class PaintBox;
class SymbolLibrary;

// The "Chart Details / Buoyage" page: detail bits, buoyage dimension, text
// size and the chart text face. Works on its own values until the sheet's OK.
class MapDetailsPg : public QWidget {
    Q_OBJECT
public:
    // The desktop's font dialog; returns the chosen face, or nothing when cancelled.
    using FontChooser = std::function<std::optional<QString>(const QFont& initial, QWidget* parent)>;

    MapDetailsPg(DetailSettings& settings, std::shared_ptr<const SymbolLibrary> library,
                 std::function<std::array<uint32_t, 16>()> chartColours, QWidget* parent = nullptr);

    void setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }
    bool wasShown() const { return shown_; }
    // OK: sizes, both fonts and the flags into the settings.
    void storeResults();

    uint32_t flags() const { return flags_; }
    int symbolValue() const { return symbolValue_; }
    int textValue() const { return textValue_; }
    const LogFont& workingFont() const { return font_; }
    // The standard text font: Arial, height -9, weight 400.
    static LogFont standardFont();
    // The font a text preview of size class `sizeClass` draws with.
    QFont previewFont(double sizeClass) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildButtons();
    void buildText();
    void initialise();
    void toggle(uint32_t bit);
    void syncButtons();
    void slidersMoved();
    void setStandard();
    void setWork();
    void chooseFont();
    void repaintText();

    DetailSettings& settings_;
    std::shared_ptr<const SymbolLibrary> library_;
    std::function<std::array<uint32_t, 16>()> chartColours_;
    FontChooser fontChooser_;
    uint32_t flags_;
    int symbolValue_ = 25;
    int textValue_ = 100;
    LogFont font_;
    bool shown_ = false;
    bool loading_ = false;
    std::vector<std::pair<QPushButton*, uint32_t>> buttons_;
    QSlider* symbolSlider_ = nullptr;
    QSlider* textSlider_ = nullptr;
    PaintBox* buoyagePreview_ = nullptr;
    std::array<PaintBox*, 5> textPreviews_{};
};

} // namespace kesmar
