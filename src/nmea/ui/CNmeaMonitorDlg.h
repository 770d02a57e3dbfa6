#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace kesmar {

class NmeaLog;

// "NMEA-Monitor": a snapshot of the NMEA log, refreshed by
// "get new NMEA-Text"; "HEX / ASCII" switches to a hex dump and back.
class CNmeaMonitorDlg : public QDialog {
    Q_OBJECT
public:
    CNmeaMonitorDlg(NmeaLog& log, QWidget* parent = nullptr);

    QString shownText() const;
    bool hexView() const { return hex_; }

    // "00000000  24 47 50 ...  $GP..." lines of 16 bytes.
    static QString hexDump(const QByteArray& bytes);

public slots:
    void getNewText();
    void toggleHex();

private:
    void showSnapshot();

    NmeaLog& log_;
    QByteArray snapshot_;
    bool hex_ = false;
    QPlainTextEdit* edit_ = nullptr;
};

} // namespace kesmar
