#include "weather/ui/SynopProgressDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kesmar {

namespace {

QProgressBar* makeBar(const char* name, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

SynopProgressDialog::SynopProgressDialog(const QString& caption, const QString& serverLine, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    server_ = new QLabel(serverLine, this);
    server_->setObjectName(QStringLiteral("serverLine"));
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(server_, 1);

    state_ = new QLabel(tr("PRESS OK FOR START"), this);
    state_->setObjectName(QStringLiteral("state1185"));
    fileGroup_ = new QGroupBox(this);
    fileGroup_->setObjectName(QStringLiteral("group1182"));
    fileBar_ = makeBar("progress1179", fileGroup_);
    (new QVBoxLayout(fileGroup_))->addWidget(fileBar_);
    totalGroup_ = new QGroupBox(this);
    totalGroup_->setObjectName(QStringLiteral("group1183"));
    totalBar_ = makeBar("progress1180", totalGroup_);
    (new QVBoxLayout(totalGroup_))->addWidget(totalBar_);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Abbrechen"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(state_);
    layout->addWidget(fileGroup_);
    layout->addWidget(totalGroup_);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(ok_, &QPushButton::clicked, this, [this] {
        ok_->setEnabled(false);
        start();
    });
    // Cancel, Esc and the close box all end with result 2 (reject()).
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace kesmar
