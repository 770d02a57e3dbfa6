#include "weather/ui/WeatherList.h"

#include "weather/WeatherProductLauncher.h"
#include "weather/WeatherProductList.h"
#include "weather/WeatherTree.h"
#include "weather/ui/FontStepButton.h"
#include "weather/ui/WeatherDisplayFont.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kesmar {
namespace {

void drawDocument(QPainter& p, const QColor& lines)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 11, 15);
    p.setPen(lines);
    for (int y = 4; y < 14; y += 3)
        p.drawLine(5, y, 12, y);
}

} // namespace

QIcon WeatherList::image(int index)
{
    QPixmap pixmap(kImageSide, kImageSide);
    pixmap.fill(Qt::white); // the image list's mask colour
    QPainter p(&pixmap);
    switch (index) {
    case WeatherTree::Folder:
        p.setPen(QColor(0x80, 0x60, 0x00));
        p.setBrush(QColor(0xF0, 0xC8, 0x40));
        p.drawRect(1, 5, 15, 10);
        p.drawRect(1, 3, 6, 2);
        break;
    case WeatherTree::Bulletin:
        drawDocument(p, QColor(0x20, 0x40, 0xA0));
        break;
    case WeatherTree::Navtex:
        drawDocument(p, QColor(0xC0, 0x20, 0x20));
        p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2));
        p.drawLine(14, 1, 14, 6);
        break;
    case WeatherTree::Synop:
        p.setPen(QColor(0x00, 0x50, 0x20));
        p.setBrush(QColor(0x90, 0xD0, 0xF0));
        p.drawEllipse(2, 2, 13, 13);
        p.drawLine(8, 2, 8, 15);
        p.drawLine(2, 8, 15, 8);
        break;
    case WeatherTree::Fax:
        p.setPen(Qt::black);
        p.setBrush(QColor(0xD0, 0xD0, 0xD0));
        p.drawRect(1, 2, 15, 13);
        p.setPen(QColor(0x30, 0x30, 0x30));
        p.drawLine(3, 12, 7, 6);
        p.drawLine(7, 6, 10, 10);
        p.drawLine(10, 10, 14, 4);
        break;
    default:
        drawDocument(p, Qt::gray);
        break;
    }
    return QIcon(pixmap);
}

WeatherList::WeatherList(const WeatherProductList& products, WeatherDisplayFont& font,
                         const WeatherProductLauncher& launcher, QWidget* parent)
    : QWidget(parent)
    , products_(products)
    , font_(font)
    , launcher_(launcher)
    , tree_(new QTreeWidget(this))
    , fontButton_(new FontStepButton(this))
{
    setObjectName(QStringLiteral("WeatherList"));
    tree_->setObjectName(QStringLiteral("tree1174"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setIconSize({kImageSide, kImageSide});
    tree_->setRootIsDecorated(true);
    tree_->installEventFilter(this);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(fontButton_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(side);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        selectedData_ = item ? item->data(0, Qt::UserRole).toUInt() : 0;
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { openSelected(); });
    connect(fontButton_, &QPushButton::clicked, this, [this] {
        font_.step();
        applyFont();
    });
}

void WeatherList::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!built_)
        build();
}

bool WeatherList::eventFilter(QObject* watched, QEvent* event)
{
    // Enter would close the sheet through its default button: it does nothing here.
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void WeatherList::build()
{
    built_ = true;
    font_.reset();
    applyFont();
    QList<QTreeWidgetItem*> roots;
    for (const WeatherTree::Root& root : WeatherTree::build(products_.entries())) {
        auto* rootItem = new QTreeWidgetItem({root.item.text});
        rootItem->setIcon(0, image(root.item.image));
        rootItem->setData(0, Qt::UserRole, root.item.data);
        rootItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        for (const WeatherTree::Item& child : root.children) {
            auto* childItem = new QTreeWidgetItem(rootItem, {child.text});
            childItem->setIcon(0, image(child.image));
            childItem->setData(0, Qt::UserRole, child.data);
        }
        roots << rootItem;
    }
    tree_->addTopLevelItems(roots);
}

void WeatherList::applyFont()
{
    tree_->setFont(font_.font());
    tree_->viewport()->update();
}

void WeatherList::openSelected()
{
    const int index = WeatherTree::entryIndex(selectedData_);
    const auto& entries = products_.entries();
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return;
    const auto opened = launcher_.open(entries[static_cast<size_t>(index)]);
    if (!opened.ok())
        QMessageBox::warning(this, QStringLiteral("Kesmar"),
                             tr("Das Fax-Bild kann nicht gelesen werden:\n%1").arg(opened.error().describe()));
}

} // namespace kesmar
