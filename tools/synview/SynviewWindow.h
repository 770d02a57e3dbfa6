#pragma once
#include <QMainWindow>

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QTimer;

namespace kesmar {

class SynviewMapWidget;
class SynviewScene;

// The weather viewer's main window: the plotter's zoom and pan buttons, a
// time bar with the observation times of the station file, the map, and a
// status bar with the number of stations shown.
class SynviewWindow : public QMainWindow {
    Q_OBJECT
public:
    SynviewWindow(SynviewScene& scene, QWidget* parent = nullptr);

    // Shows the time nearest to `time`; says so when it is not that time.
    void showTime(uint32_t time);
    // The problems of the station file in one message box, if any.
    void reportProblems();
    SynviewMapWidget* map() const { return map_; }

private:
    void buildToolBars();
    void fillTimes();
    void stepTime(int delta);
    void timeChosen(int row);
    void showStation(int index);
    void showLegend();
    // Impossible values of the shown time, in the status bar.
    void showTimeProblems();
    // The station file again, after a conversion or by F5.
    void reload();
    void watchStationFile();
    void updateCount(int drawn, int visible);

    SynviewScene& scene_;
    SynviewMapWidget* map_ = nullptr;
    QComboBox* times_ = nullptr;
    QLabel* count_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* reloadTimer_ = nullptr;
};

} // namespace kesmar
