#include "settings/MapDetailsPg.h"

#include "chartdata/ColourTable.h"
#include "chartdata/PointPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "settings/DialogUnits.h"
#include "settings/PaintBox.h"
#include "settings/SettingsPreviews.h"

#include <QFontDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include <cmath>

namespace kesmar {

namespace {

struct CheckRow {
    int id;
    const char* text;
    uint32_t bit;  // 0: a button without a setting
};

constexpr CheckRow kLineRows[] = {
    {1052, "Deep 10 m", 0x0001}, {1053, "Deep   5 m", 0x0002}, {1054, "Deep   2 m", 0x0004},
    {1055, "Tital", 0x0008},     {1056, "Lake", 0x0020},       {1057, "City", 0x0040},
    {1058, "River", 0x0080},     {1059, "States", 0x0200},     {1060, "Ship border", 0x0100},
    {1061, "Chart border", 0x0800},
};
constexpr CheckRow kSymbolRows[] = {
    {1068, "Deep", 0x8000},       {1069, "Text", 0x4000},       {1070, "Bouyage Gr.1", 0},
    {1071, "Bouyage Gr.2", 0},    {1072, "Bouyage Gr.3", 0},
};
constexpr double kSizeClasses[5] = {0.5, 0.8, 1.0, 1.2, 1.5};

double screenFontScale()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 1024;
    return (width > 0 ? width : 1024) / 1024.0;
}

std::optional<QString> desktopFontDialog(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return f.family();
}

} // namespace

MapDetailsPg::MapDetailsPg(DetailSettings& settings, std::shared_ptr<const SymbolLibrary> library,
                           std::function<std::array<uint32_t, 16>()> chartColours, QWidget* parent)
    : QWidget(parent)
    , settings_(settings)
    , library_(std::move(library))
    , chartColours_(std::move(chartColours))
    , fontChooser_(desktopFontDialog)
    , flags_(settings.detailFlags)
    , font_(settings.workFont)
{
    buildButtons();
    buildText();
}

LogFont MapDetailsPg::standardFont()
{
    return LogFont::make(-9, 400, 0x22, "Arial");
}

void MapDetailsPg::buildButtons()
{
    auto group = [this](int x, int y, int w, int h, const QString& title) {
        auto* box = new QGroupBox(title, this);
        box->setGeometry(dialogRect(x, y, w, h));
        box->lower();
    };
    group(5, 3, 69, 155, tr("Chart Line Details"));
    group(80, 3, 75, 85, tr("Bouyage / Symbols"));
    group(80, 89, 75, 68, tr("Buoyage dimension"));
    auto add = [this](const CheckRow& row, int x, int y, int w) {
        auto* b = new QPushButton(tr(row.text), this);
        b->setObjectName(QString::number(row.id));
        b->setCheckable(true);
        b->setGeometry(dialogRect(x, y, w, 13));
        const uint32_t bit = row.bit;
        // The page decides the state; the button's own toggle is undone.
        connect(b, &QPushButton::clicked, this, [this, bit] { toggle(bit); });
        buttons_.emplace_back(b, bit);
    };
    int i = 0;
    for (const CheckRow& row : kLineRows) add(row, 11, 14 + 14 * i++, 57);
    i = 0;
    for (const CheckRow& row : kSymbolRows) add(row, 85, 14 + 14 * i++, 64);
    symbolSlider_ = new QSlider(Qt::Vertical, this);
    symbolSlider_->setObjectName(QStringLiteral("1096"));
    symbolSlider_->setGeometry(dialogRect(87, 100, 17, 52));
    symbolSlider_->setRange(5, 60);
    symbolSlider_->setTickInterval(5);
    symbolSlider_->setTickPosition(QSlider::TicksLeft);
    connect(symbolSlider_, &QSlider::valueChanged, this, [this] { slidersMoved(); });
    buoyagePreview_ = new PaintBox(1095, [this](QPainter& p, QSize size) {
        static const SymbolLibrary empty;
        const std::array<uint32_t, 16> colours = chartColours_();
        const ColourTable table = ColourTable::fromColorrefs(colours);
        SettingsPreviews::paintBuoyagePreview(p, size, table, library_ ? *library_ : empty, symbolValue_ * 0.001);
    }, this);
    buoyagePreview_->setGeometry(dialogRect(109, 100, 41, 52));
}

void MapDetailsPg::buildText()
{
    auto* box = new QGroupBox(tr("Text Atributes for Chart - Citys, Deep  etc...."), this);
    box->setGeometry(dialogRect(161, 3, 153, 155));
    box->lower();
    textSlider_ = new QSlider(Qt::Vertical, this);
    textSlider_->setObjectName(QStringLiteral("1164"));
    textSlider_->setGeometry(dialogRect(167, 16, 17, 108));
    textSlider_->setRange(30, 150);
    textSlider_->setTickInterval(1);
    connect(textSlider_, &QSlider::valueChanged, this, [this] { slidersMoved(); });
    const int y[5] = {14, 33, 55, 76, 100};
    const int h[5] = {18, 20, 20, 23, 26};
    for (int k = 0; k < 5; ++k) {
        const double sizeClass = kSizeClasses[k];
        auto* preview = new PaintBox(1100 + k, [this, sizeClass](QPainter& p, QSize size) {
            p.setFont(previewFont(sizeClass));
            p.setPen(Qt::black);
            p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Test TEXT"));
        }, this);
        preview->setGeometry(dialogRect(187, y[k], 123, h[k]));
        textPreviews_[size_t(k)] = preview;
    }
    auto button = [this](int id, int x, int w, const QString& text, auto slot) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::number(id));
        b->setGeometry(dialogRect(x, 137, w, 16));
        connect(b, &QPushButton::clicked, this, slot);
    };
    button(1093, 166, 49, tr("Set Work"), [this] { setWork(); });
    button(1092, 220, 35, tr("Font"), [this] { chooseFont(); });
    button(1091, 260, 49, tr("Set Standard"), [this] { setStandard(); });
}

void MapDetailsPg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_) initialise();
}

void MapDetailsPg::initialise()
{
    shown_ = true;
    // Rounded, not truncated: 58 * 0.01 * 100 is 57.99..., and every OK
    // would take the text size one step down.
    symbolValue_ = int(std::lround(settings_.symbolSize * 1000.0));
    textValue_ = int(std::lround(settings_.textSize * 100.0));
    flags_ = settings_.detailFlags;
    syncButtons();
    loading_ = true;
    symbolSlider_->setValue(symbolValue_);
    textSlider_->setValue(textValue_);
    loading_ = false;
    font_ = settings_.workFont;
    repaintText();
}

void MapDetailsPg::toggle(uint32_t bit)
{
    flags_ ^= bit;
    syncButtons();
}

void MapDetailsPg::syncButtons()
{
    for (const auto& [button, bit] : buttons_) button->setChecked(bit != 0 && (flags_ & bit) != 0);
}

void MapDetailsPg::slidersMoved()
{
    if (loading_) return;
    symbolValue_ = std::max(10, symbolSlider_->value());
    textValue_ = std::clamp(textSlider_->value(), 30, 150);
    buoyagePreview_->update();
    repaintText();
}

void MapDetailsPg::setStandard()
{
    textValue_ = 100;
    loading_ = true;
    textSlider_->setValue(textValue_);
    loading_ = false;
    font_ = standardFont();
    repaintText();
    update();
}

void MapDetailsPg::setWork()
{
    font_ = settings_.workFont;
    textValue_ = int(std::lround(settings_.textSize * 100.0));
    loading_ = true;
    textSlider_->setValue(textValue_);
    loading_ = false;
    repaintText();
    update();
}

void MapDetailsPg::chooseFont()
{
    QFont initial(font_.faceName());
    initial.setPixelSize(std::max(1, std::abs(font_.height)));
    if (const std::optional<QString> face = fontChooser_(initial, this))
        font_.setFaceName(*face);  // only the face: height and weight stay
    repaintText();
}

void MapDetailsPg::repaintText()
{
    for (PaintBox* p : textPreviews_) p->update();
}

QFont MapDetailsPg::previewFont(double sizeClass) const
{
    const double factor = screenFontScale() * textValue_ * 0.01 * sizeClass;
    TextFont f = font_.toTextFont();
    f.weight = int32_t(f.weight * factor);
    return PointPainter::chartFont(f, int32_t(font_.height * factor));
}

void MapDetailsPg::storeResults()
{
    if (!shown_) return;
    settings_.symbolSize = symbolValue_ * 0.001;
    settings_.workFont = font_;
    settings_.chartFont = font_;
    settings_.textSize = textValue_ * 0.01;
    settings_.detailFlags = flags_;
}

} // namespace kesmar
