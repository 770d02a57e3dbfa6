#pragma once
#include "chartdata/ChartHeader.h"
#include "chartdata/ColourTable.h"
#include "chartdata/LineFileCache.h"
#include "settings/DetailSettings.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace kesmar {

class CChartPreview;

// The "Select Charts" page: the charts of the CHARTDATA folder in use and
// not in use, moved by double click, with a world preview showing the
// selected chart's outline and a preview of the chart itself. Changes the
// catalogue of the settings copy directly.
class MapRequesterPg : public QWidget {
    Q_OBJECT
public:
    MapRequesterPg(DetailSettings& settings, QString programFolder, std::function<ColourTable()> chartColours,
                   QWidget* parent = nullptr);

    bool wasShown() const { return shown_; }
    void setMessageSink(std::function<void(const QString&)> sink);
    // The chart colours changed on the Colors page.
    void coloursChanged();

    QStringList usedCharts() const;
    QStringList unusedCharts() const;
    int unusedCount() const { return unusedCount_; }
    const QString& selectedChart() const { return selected_; }
    QString infoLine() const;
    CChartPreview& upperPreview() { return *upper_; }
    CChartPreview& lowerPreview() { return *lower_; }
    // A double click on the named item of the used (true) or not-used list.
    void moveChart(const QString& name, bool fromUsed);

    // "%d°%6.3f %c - %d°%6.3f %c": latitude, then longitude of a corner.
    static QString cornerText(int32_t y, int32_t x);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void fillLists();
    void selectionChanged(QListWidget* list);
    void writeInfo();
    void doubleClicked(QListWidget* list);

    DetailSettings& settings_;
    QString folder_;
    LineFileCache files_;
    std::function<void(const QString&)> messageSink_;
    bool shown_ = false;
    QString selected_;
    int unusedCount_ = 0;
    QListWidget* used_ = nullptr;
    QListWidget* unused_ = nullptr;
    CChartPreview* upper_ = nullptr;
    CChartPreview* lower_ = nullptr;
    QPushButton* world_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace kesmar
