#pragma once
#include <QObject>

class QSocketNotifier;

namespace kesmar {

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C in a terminal)
// into a normal end of the event loop, so that the settings and CHART.CFG
// are saved as when the window is closed. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kesmar
