#pragma once
#include "weather/SynopConversion.h"
#include "weather/SynopTimeWindow.h"
#include "weather/ui/SynopProgressDialog.h"

#include <QElapsedTimer>
#include <QTimer>
#include <optional>

namespace kesmar {

class SynopTables;

// "Convert WMO-Internetfiles  ": converts the hourly bulletin files of the
// last 72 hours into SYNOP\STATION.DAT. The work runs on a 20 ms timer, each
// tick doing as many slices as fit in its time budget, so the window keeps
// responding and large files still convert at the decoder's speed.
class CSynopConvertDlg : public SynopProgressDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 20;
    static constexpr int kBudgetMs = 15;

    // The tables must stay loaded while the dialog exists.
    CSynopConvertDlg(const QString& programFolder, const SynopTables& tables, const QString& serverAddress,
                     QWidget* parent = nullptr);

    // The window is taken from the clock at OK unless set here.
    void setTimeWindow(const SynopTimeWindow& window) { window_ = window; }
    // Work per tick: a time budget and the lines of one slice.
    void setSlices(int budgetMs, size_t linesPerSlice);
    const SynopConversion& conversion() const { return conversion_; }

    void reject() override;

protected:
    void start() override;

private:
    void tick();
    void showProgress();

    SynopConversion conversion_;
    std::optional<SynopTimeWindow> window_;
    QTimer timer_;
    int budgetMs_ = kBudgetMs;
    bool inTick_ = false;
};

} // namespace kesmar
