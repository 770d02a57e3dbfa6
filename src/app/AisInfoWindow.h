#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace kesmar {

// A small read-only window with the data of one AIS target, placed beside
// the clicked point; reused for every click, closed by a click into it.
class AisInfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit AisInfoWindow(QWidget* parent = nullptr);

    void showText(uint32_t mmsi, const QString& text, const QPoint& globalPoint);
    // A newer report of the shown target: the text follows it.
    void refreshText(const QString& text);
    uint32_t shownMmsi() const { return mmsi_; }
    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* edit_ = nullptr;
    uint32_t mmsi_ = 0;
};

} // namespace kesmar
