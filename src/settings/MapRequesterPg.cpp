#include "settings/MapRequesterPg.h"

#include "core/FileUtil.h"
#include "settings/CChartPreview.h"
#include "settings/DialogUnits.h"

#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <cmath>
#include <cstdlib>

namespace kesmar {

MapRequesterPg::MapRequesterPg(DetailSettings& settings, QString programFolder,
                               std::function<ColourTable()> chartColours, QWidget* parent)
    : QWidget(parent), settings_(settings), folder_(std::move(programFolder))
{
    upper_ = new CChartPreview(1017, folder_, &files_, chartColours, this);
    lower_ = new CChartPreview(1019, folder_, &files_, chartColours, this);
    build();
    setMessageSink([this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Kesmar"), text); });
}

void MapRequesterPg::setMessageSink(std::function<void(const QString&)> sink)
{
    messageSink_ = sink;
    upper_->setMessageSink(sink);
    lower_->setMessageSink(sink);
}

void MapRequesterPg::build()
{
    auto* usedBox = new QGroupBox(tr("used Charts  (double click = deselection)    "), this);
    usedBox->setGeometry(dialogRect(3, 3, 146, 102));
    auto* unusedBox = new QGroupBox(tr("not used Charts  (double click = selection)"), this);
    unusedBox->setGeometry(dialogRect(3, 116, 146, 102));
    auto list = [this](int id, int y) {
        auto* l = new QListWidget(this);
        l->setObjectName(QString::number(id));
        l->setSortingEnabled(true);
        l->setGeometry(dialogRect(8, y, 136, 88));
        l->installEventFilter(this);
        connect(l, &QListWidget::itemSelectionChanged, this, [this, l] { selectionChanged(l); });
        connect(l, &QListWidget::itemDoubleClicked, this, [this, l] { doubleClicked(l); });
        return l;
    };
    used_ = list(1083, 12);
    unused_ = list(1085, 126);
    upper_->setGeometry(dialogRect(154, 0, 166, 111));
    lower_->setGeometry(dialogRect(154, 110, 166, 111));
    connect(upper_, &CChartPreview::zoomed, this, [this] {
        if (!upper_->outline() || selected_.isEmpty()) return;
        if (const auto h = ChartHeader::readFile(ChartHeader::pathFor(folder_, selected_)))
            upper_->setOutline(upper_->outlineOf(*h));
    });
    world_ = new QPushButton(QStringLiteral("<->"), this);
    world_->setObjectName(QStringLiteral("1080"));
    world_->setGeometry(dialogRect(301, 4, 14, 13));
    world_->raise();
    connect(world_, &QPushButton::clicked, upper_, &CChartPreview::showWholeWorld);
    info_ = new QLabel(tr("man kann mit der Maus in den Bilder zoomen "), this);
    info_->setObjectName(QStringLiteral("1086"));
    info_->setAlignment(Qt::AlignCenter);
    info_->setGeometry(dialogRect(3, 225, 313, 16));
}

void MapRequesterPg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    upper_->setChartName(QStringLiteral("WORLDMAP"));
    selected_.clear();
    fillLists();
    upper_->initialise();
    lower_->setChartName(QString());
    lower_->initialise();
    writeInfo();
}

void MapRequesterPg::coloursChanged()
{
    upper_->update();
    lower_->update();
}

void MapRequesterPg::fillLists()
{
    used_->clear();
    unused_->clear();
    unusedCount_ = 0;
    const QDir dir(programPath(folder_, QStringLiteral("CHARTDATA")));
    QStringList seen;
    for (const QString& file : dir.entryList(QDir::Files)) {
        if (file.size() <= 4 || !file.endsWith(QStringLiteral(".hdr"), Qt::CaseInsensitive)) continue;
        const QString name = file.left(file.size() - 4).toUpper();
        if (seen.contains(name)) continue;
        seen.append(name);
        if (settings_.catalogue.indexOf(name) < 0) {
            unused_->addItem(name);
            ++unusedCount_;
        }
    }
    for (const ChartEntry& e : settings_.catalogue.entries()) used_->addItem(e.name);
}

QStringList MapRequesterPg::usedCharts() const
{
    QStringList out;
    for (int i = 0; i < used_->count(); ++i) out.append(used_->item(i)->text());
    return out;
}

QStringList MapRequesterPg::unusedCharts() const
{
    QStringList out;
    for (int i = 0; i < unused_->count(); ++i) out.append(unused_->item(i)->text());
    return out;
}

bool MapRequesterPg::eventFilter(QObject* watched, QEvent* event)
{
    // At most one chart is selected on the page.
    if (event->type() == QEvent::FocusIn) {
        if (watched == used_) unused_->clearSelection();
        if (watched == unused_) used_->clearSelection();
    }
    return QWidget::eventFilter(watched, event);
}

void MapRequesterPg::selectionChanged(QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (items.isEmpty()) return;
    selected_ = items.first()->text();
    lower_->setChartName(selected_);
    lower_->fitToChart();
    lower_->update();
    writeInfo();
}

void MapRequesterPg::doubleClicked(QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (items.isEmpty()) return;
    moveChart(items.first()->text(), list == used_);
}

void MapRequesterPg::moveChart(const QString& name, bool fromUsed)
{
    QListWidget* from = fromUsed ? used_ : unused_;
    QListWidget* to = fromUsed ? unused_ : used_;
    const QList<QListWidgetItem*> found = from->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return;
    if (fromUsed) {
        settings_.catalogue.removeChart(name);
    } else if (const std::optional<ChartError> error = settings_.catalogue.addChart(folder_, name)) {
        // Refused (header missing, 100 charts): the name stays where it is,
        // so the lists never show a chart as used that is not.
        messageSink_(error->message());
        return;
    }
    delete from->takeItem(from->row(found.first()));
    to->addItem(name);
    unusedCount_ += fromUsed ? 1 : -1;
}

QString MapRequesterPg::cornerText(int32_t y, int32_t x)
{
    auto part = [](int32_t v, QChar positive, QChar negative) {
        const double magnitude = std::fabs(v * 0.001);
        const int degrees = int(magnitude) / 60;
        return QString::asprintf("%d\u00B0%6.3f %c", degrees, magnitude - 60.0 * degrees,
                                 char((v >= 0 ? positive : negative).toLatin1()));
    };
    return part(y, QLatin1Char('S'), QLatin1Char('N')) + QStringLiteral(" - ") + part(x, QLatin1Char('E'), QLatin1Char('W'));
}

QString MapRequesterPg::infoLine() const
{
    return info_->text();
}

void MapRequesterPg::writeInfo()
{
    if (selected_.isEmpty()) {
        info_->setText(tr("! Es ist möglich mit der Maus ist in den Bildern zu zoomen !"));
        return;
    }
    const QString path = ChartHeader::pathFor(folder_, selected_);
    const std::optional<ChartHeader> h = ChartHeader::readFile(path);
    if (!h) {
        info_->setText(QStringLiteral("OPEN ERROR CHART HEADER\\%1.HDR").arg(folder_ + QStringLiteral("/CHARTDATA/") + selected_));
        return;
    }
    info_->setText(QStringLiteral("%1:  %2  /  %3").arg(selected_, cornerText(h->yMin, h->xMin), cornerText(h->yMax, h->xMax)));
    upper_->setOutline(upper_->outlineOf(*h));
}

} // namespace kesmar
