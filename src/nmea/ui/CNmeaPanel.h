#pragma once
#include "nmea/NmeaPanelField.h"

#include <QByteArrayView>
#include <QDialog>
#include <QHash>
#include <QString>

class QLabel;
class QPushButton;

namespace kesmar {

class NmeaLog;
class InstrumentView;

// The floating instrument panel "NMEA-IN": WIND dial, COURSE (geo) rose,
// DEEP bar and the text fields the NMEA input writes. Created hidden by the
// main frame; closing it with the close box only hides it.
class CNmeaPanel : public QDialog {
    Q_OBJECT
public:
    CNmeaPanel(NmeaLog& log, QWidget* parent = nullptr);

    // Values at start: wind 0, course 50, depth 4.0.
    int windAngle() const { return windAngle_; }
    int course() const { return course_; }
    double depth() const { return depth_; }
    QString fieldText(NmeaPanelField field) const;
    QString windLabel() const;
    QString courseLabel() const;
    QString depthLabel() const;

    // Each returns whether its instrument was invalidated (for tests and
    // for callers counting repaints).
    bool SetWindAngle(int angle);
    bool SetCourseText(const QString& text);
    bool SetDepthText(const QString& text);
    // Appends one line to the shared NMEA log (4096-character rule).
    bool AppendNmeaLog(QByteArrayView text);

    bool isPanelVisible() const { return panelVisible_; }
    InstrumentView* windView() const { return windView_; }
    InstrumentView* courseView() const { return courseView_; }
    InstrumentView* depthView() const { return depthView_; }

    // Leading number of a text as the C library reads it: blanks, sign,
    // digits up to the first other character; no number gives 0.
    static int leadingInt(const QString& text);
    static double leadingDouble(const QString& text);

public slots:
    void setFieldText(kesmar::NmeaPanelField field, const QString& text);
    // Command 32783: toggles, shows or hides.
    void togglePanel();
    void setPanelVisible(bool visible);
    void openMonitor();

signals:
    // The visible flag changed (drives the check mark of command 32783).
    void panelVisibleChanged(bool visible);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc: the same as the close box.
    void reject() override;

private:
    void buildLayout();

    NmeaLog& log_;
    bool panelVisible_ = false;
    int windAngle_ = 0;
    int course_ = 50;
    double depth_ = 4.0;
    InstrumentView* windView_ = nullptr;
    InstrumentView* courseView_ = nullptr;
    InstrumentView* depthView_ = nullptr;
    QLabel* windLabel_ = nullptr;
    QLabel* courseLabel_ = nullptr;
    QLabel* depthLabel_ = nullptr;
    QHash<int, QLabel*> fields_;
};

} // namespace kesmar
