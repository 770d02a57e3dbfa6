#pragma once
#include "chartdata/ColourTable.h"
#include "settings/DetailSettings.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QSlider;

namespace kesmar {

class CColorButton;
class CColorPreview;
class SymbolLibrary;

// The "Colors" page: the chart colours (swatches 1120-1135), the printer
// colours (1136-1151) and the mixing colour (1152), edited on a table of
// its own that reaches the settings only through the sheet's OK.
class CColorsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFirstSwatch = 1120;
    static constexpr int kFirstPrinterSwatch = 1136;
    static constexpr int kMixSwatch = 1152;

    CColorsPage(DetailSettings& settings, std::shared_ptr<const SymbolLibrary> library, QWidget* parent = nullptr);

    bool wasShown() const { return shown_; }
    // The edit boxes as whole numbers 0-255; a refusal is reported.
    bool validate();
    // OK: the page table into the settings.
    void storeResults();
    // The chart colours as they stand on the page (mix not applied).
    std::array<uint32_t, 16> chartColours() const;
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }

    std::optional<int> selected() const { return selected_; }
    uint32_t mixColour() const { return table_[32]; }
    uint32_t entry(int swatchId) const { return table_[size_t(swatchId - kFirstSwatch)]; }
    void select(int swatchId);
    void setThisColour();
    void resetColour();
    void setStandardColours(bool printer);

signals:
    void chartColoursChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void buildManipulator();
    void initialise();
    void slidersMoved();
    void editTyped(int channel);
    void refreshSwatches();
    void showChannels();
    ColourTable previewColours(bool printer) const;
    void picked(bool printer, QRgb pixel);

    DetailSettings& settings_;
    std::shared_ptr<const SymbolLibrary> library_;
    std::array<uint32_t, DetailSettings::kColourEntries> table_{};
    std::optional<int> selected_;
    bool shown_ = false;
    bool loading_ = false;
    std::array<CColorButton*, DetailSettings::kColourEntries> swatches_{};
    std::array<QSlider*, 3> sliders_{};
    std::array<QLineEdit*, 3> edits_{};
    CColorPreview* chartPreview_ = nullptr;
    CColorPreview* printerPreview_ = nullptr;
    std::function<void(const QString&)> messageSink_;
};

} // namespace kesmar
