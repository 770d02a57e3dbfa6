#include "weather/ui/WeatherTextPage.h"

#include "weather/BulletinTextBuffer.h"
#include "weather/WeatherProductList.h"
#include "weather/ui/FontStepButton.h"
#include "weather/ui/WeatherDisplayFont.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kesmar {

WeatherTextPage::WeatherTextPage(const char* className, uint32_t kindMask, const WeatherProductList& products,
                                 WeatherDisplayFont& font, QWidget* parent)
    : QWidget(parent)
    , mask_(kindMask)
    , products_(products)
    , font_(font)
    , edit_(new QPlainTextEdit(this))
    , fontButton_(new FontStepButton(this))
{
    setObjectName(QString::fromLatin1(className));
    edit_->setObjectName(QStringLiteral("richEdit1048"));
    edit_->setReadOnly(true);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(fontButton_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(edit_, 1);
    layout->addLayout(side);
    connect(fontButton_, &QPushButton::clicked, this, [this] {
        font_.step();
        applyFont();
    });
}

void WeatherTextPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fill();
}

void WeatherTextPage::fill()
{
    ++fills_;
    applyFont();
    edit_->setPlainText(BulletinTextBuffer::pageText(products_.entries(), mask_));
}

void WeatherTextPage::applyFont()
{
    edit_->setFont(font_.font());
    edit_->viewport()->update();
}

} // namespace kesmar
