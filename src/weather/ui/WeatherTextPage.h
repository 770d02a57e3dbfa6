#pragma once
#include <QWidget>
#include <cstdint>

class QPlainTextEdit;

namespace kesmar {

class FontStepButton;
class WeatherDisplayFont;
class WeatherProductList;

// One of the seven text pages (NORTHSEA ... WARNINGS): the text of every
// listed bulletin of the page's kinds, refilled each time the page shows.
// The object name is the page's class name of the sheet ("WaetherNordsea").
class WeatherTextPage : public QWidget {
    Q_OBJECT
public:
    WeatherTextPage(const char* className, uint32_t kindMask, const WeatherProductList& products,
                    WeatherDisplayFont& font, QWidget* parent = nullptr);

    QPlainTextEdit& textEdit() { return *edit_; }
    FontStepButton& fontButton() { return *fontButton_; }
    uint32_t kindMask() const { return mask_; }
    int fillCount() const { return fills_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void applyFont();

    uint32_t mask_;
    const WeatherProductList& products_;
    WeatherDisplayFont& font_;
    QPlainTextEdit* edit_;
    FontStepButton* fontButton_;
    int fills_ = 0;
};

} // namespace kesmar
