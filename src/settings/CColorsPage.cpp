#include "settings/CColorsPage.h"

#include "chartdata/ChartConfig.h"
#include "settings/CColorButton.h"
#include "settings/CColorPreview.h"
#include "settings/DialogUnits.h"
#include "settings/SettingsPreviews.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace kesmar {

namespace {

constexpr uint32_t kStartMix = 0xC0C0C0;

QRgb rgbOf(uint32_t colorref)
{
    return ColourTable::colorrefToRgb(colorref);
}

} // namespace

CColorsPage::CColorsPage(DetailSettings& settings, std::shared_ptr<const SymbolLibrary> library, QWidget* parent)
    : QWidget(parent), settings_(settings), library_(std::move(library))
{
    messageSink_ = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Kesmar"), text); };
    table_ = settings_.colours;
    table_[32] = kStartMix;
    build();
}

void CColorsPage::build()
{
    auto group = [this](int x, int y, int w, int h, const QString& title) {
        auto* box = new QGroupBox(title, this);
        box->setGeometry(dialogRect(x, y, w, h));
        box->lower();
    };
    group(3, 3, 146, 45, tr("Chart Color  (click up color = selection)"));
    group(3, 52, 146, 46, tr("Printer Color  (click up color = selection)"));
    for (int k = 0; k < 32; ++k) {
        const int i = k % 8;
        const int rowY[4] = {14, 28, 65, 79};
        auto* b = new CColorButton(kFirstSwatch + k, true, this);
        b->setGeometry(dialogRect(13 + 16 * i, rowY[k / 8], 14, 12));
        connect(b, &QAbstractButton::clicked, this, [this, k] { select(kFirstSwatch + k); });
        swatches_[size_t(k)] = b;
    }
    buildManipulator();
    auto button = [this](int id, int x, int y, int w, int h, const QString& text, auto slot) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::number(id));
        b->setGeometry(dialogRect(x, y, w, h));
        connect(b, &QPushButton::clicked, this, slot);
    };
    button(1161, 15, 203, 57, 13, tr("Reset Color"), [this] { resetColour(); });
    button(1162, 80, 203, 57, 13, tr("Set this Color"), [this] { setThisColour(); });
    button(1163, 234, 3, 83, 13, tr("Set standard Colors"), [this] { setStandardColours(false); });
    button(1164, 234, 113, 83, 13, tr("Set standard Colors"), [this] { setStandardColours(true); });
    chartPreview_ = new CColorPreview(1113, [this] { return previewColours(false); }, library_, this);
    chartPreview_->setGeometry(dialogRect(153, 17, 166, 95));
    connect(chartPreview_, &CColorPreview::picked, this, [this](QRgb p) { picked(false, p); });
    printerPreview_ = new CColorPreview(1114, [this] { return previewColours(true); }, library_, this);
    printerPreview_->setGeometry(dialogRect(153, 127, 166, 95));
    connect(printerPreview_, &CColorPreview::picked, this, [this](QRgb p) { picked(true, p); });
    auto* hint = new QLabel(tr("Für einen Test wechseln Sie nach 'Charts', dort sind diese Farben schon wirksam.  "), this);
    hint->setObjectName(QStringLiteral("1086"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setGeometry(dialogRect(3, 225, 313, 16));
}

void CColorsPage::buildManipulator()
{
    auto* box = new QGroupBox(tr("Color Manupulator"), this);
    box->setGeometry(dialogRect(3, 102, 147, 120));
    box->lower();
    const int sliderIds[3] = {1156, 1157, 1158};
    const int editIds[3] = {1017, 1019, 1021};
    const int y[3] = {114, 133, 152};
    for (int c = 0; c < 3; ++c) {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QString::number(sliderIds[c]));
        s->setGeometry(dialogRect(15, y[c], 100, 12));
        s->setRange(0, 255);
        s->setTickInterval(1);
        s->setValue(0);
        connect(s, &QSlider::valueChanged, this, [this] { slidersMoved(); });
        sliders_[size_t(c)] = s;
        auto* e = new QLineEdit(QStringLiteral("0"), this);
        e->setObjectName(QString::number(editIds[c]));
        e->setGeometry(dialogRect(117, y[c], 27, 12));
        connect(e, &QLineEdit::textEdited, this, [this, c] { editTyped(c); });
        edits_[size_t(c)] = e;
    }
    auto* mix = new CColorButton(kMixSwatch, false, this);
    mix->setGeometry(dialogRect(10, 171, 133, 25));
    swatches_[32] = mix;
}

void CColorsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_) initialise();
}

void CColorsPage::initialise()
{
    shown_ = true;
    selected_.reset();
    table_ = settings_.colours;
    table_[32] = kStartMix;
    loading_ = true;
    for (QSlider* s : sliders_) s->setValue(0);
    loading_ = false;
    showChannels();
    refreshSwatches();
}

void CColorsPage::refreshSwatches()
{
    for (int k = 0; k < DetailSettings::kColourEntries; ++k) {
        swatches_[size_t(k)]->setColour(rgbOf(table_[size_t(k)]));
        swatches_[size_t(k)]->setSelected(selected_ && *selected_ == kFirstSwatch + k);
    }
    chartPreview_->update();
    printerPreview_->update();
}

void CColorsPage::showChannels()
{
    for (int c = 0; c < 3; ++c) edits_[size_t(c)]->setText(QString::number(sliders_[size_t(c)]->value()));
}

void CColorsPage::select(int swatchId)
{
    if (swatchId < kFirstSwatch || swatchId >= kMixSwatch) return;
    selected_ = swatchId;
    const uint32_t c = table_[size_t(swatchId - kFirstSwatch)];
    table_[32] = c;
    loading_ = true;
    sliders_[0]->setValue(int(c & 0xFF));
    sliders_[1]->setValue(int((c >> 8) & 0xFF));
    sliders_[2]->setValue(int((c >> 16) & 0xFF));
    loading_ = false;
    showChannels();
    refreshSwatches();
    if (swatchId < kFirstPrinterSwatch) emit chartColoursChanged();
}

void CColorsPage::slidersMoved()
{
    if (loading_) return;
    table_[32] = uint32_t(sliders_[0]->value()) + 256u * uint32_t(sliders_[1]->value())
               + 65536u * uint32_t(sliders_[2]->value());
    swatches_[32]->setColour(rgbOf(table_[32]));
    if (!selected_ || *selected_ >= kFirstPrinterSwatch)
        printerPreview_->update();
    else
        chartPreview_->update();
    showChannels();
}

void CColorsPage::editTyped(int channel)
{
    // A valid number moves its slider at once; anything else waits for validate().
    bool ok = false;
    const int v = edits_[size_t(channel)]->text().trimmed().toInt(&ok);
    if (!ok || v < 0 || v > 255) return;
    const QString text = edits_[size_t(channel)]->text();
    sliders_[size_t(channel)]->setValue(v);
    edits_[size_t(channel)]->setText(text);
}

bool CColorsPage::validate()
{
    for (QLineEdit* e : edits_) {
        bool ok = false;
        const int v = e->text().trimmed().toInt(&ok);
        QString message;
        if (!ok)
            message = tr("Geben Sie bitte eine ganze Zahl ein.");
        else if (v < 0 || v > 255)
            message = tr("Geben Sie bitte eine ganze Zahl zwischen %1 und %2 ein.").arg(0).arg(255);
        if (!message.isEmpty()) {
            messageSink_(message);
            e->setFocus();
            e->selectAll();
            return false;
        }
    }
    return true;
}

void CColorsPage::setThisColour()
{
    if (!selected_) return;
    table_[size_t(*selected_ - kFirstSwatch)] = table_[32];
    select(*selected_);
}

void CColorsPage::resetColour()
{
    if (!selected_) return;
    const size_t k = size_t(*selected_ - kFirstSwatch);
    table_[k] = settings_.colours[k];
    select(*selected_);
}

void CColorsPage::setStandardColours(bool printer)
{
    const std::array<uint32_t, 16> defaults =
        printer ? ChartConfig::defaultPrinterColours() : ChartConfig::defaultScreenColours();
    std::copy(defaults.begin(), defaults.end(), table_.begin() + (printer ? 16 : 0));
    selected_.reset();
    table_[32] = kStartMix;
    refreshSwatches();
    update();
    if (!printer) emit chartColoursChanged();
}

ColourTable CColorsPage::previewColours(bool printer) const
{
    std::array<uint32_t, 16> group{};
    std::copy_n(table_.begin() + (printer ? 16 : 0), 16, group.begin());
    // The preview shows the mix before it is set.
    if (selected_ && (*selected_ >= kFirstPrinterSwatch) == printer)
        group[size_t((*selected_ - kFirstSwatch) % 16)] = table_[32];
    return ColourTable::fromColorrefs(group);
}

void CColorsPage::picked(bool printer, QRgb pixel)
{
    std::array<uint32_t, 16> group{};
    std::copy_n(table_.begin() + (printer ? 16 : 0), 16, group.begin());
    const int k = SettingsPreviews::nearestEntry(group, SettingsPreviews::colorref(pixel));
    select((printer ? kFirstPrinterSwatch : kFirstSwatch) + k);
}

void CColorsPage::storeResults()
{
    if (!shown_) return;
    settings_.colours = table_;
}

std::array<uint32_t, 16> CColorsPage::chartColours() const
{
    std::array<uint32_t, 16> out{};
    std::copy_n(table_.begin(), 16, out.begin());
    return out;
}

} // namespace kesmar
