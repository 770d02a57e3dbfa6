#include "nmea/ui/CNmeaMonitorDlg.h"

#include "nmea/NmeaLog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace kesmar {
namespace {

QRect dlu(int x, int y, int w, int h)
{
    return QRect(qRound(x * 1.5), qRound(y * 1.625), qRound(w * 1.5), qRound(h * 1.625));
}

} // namespace

CNmeaMonitorDlg::CNmeaMonitorDlg(NmeaLog& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setWindowTitle(tr("NMEA-Monitor"));
    setModal(true);
    setFixedSize(dlu(0, 0, 320, 239).size());
    edit_ = new QPlainTextEdit(this);
    edit_->setGeometry(dlu(1, 2, 314, 213));
    edit_->setReadOnly(true);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(11);
    edit_->setFont(mono);

    auto button = [this](const QString& text, QRect r) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(r);
        b->setAutoDefault(false);
        return b;
    };
    connect(button(tr("HEX / ASCII"), dlu(4, 220, 50, 14)), &QPushButton::clicked, this,
            &CNmeaMonitorDlg::toggleHex);
    connect(button(tr("get new NMEA-Text"), dlu(60, 220, 78, 14)), &QPushButton::clicked, this,
            &CNmeaMonitorDlg::getNewText);
    QPushButton* ok = button(tr("OK"), dlu(208, 220, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(button(tr("Abbrechen"), dlu(264, 220, 50, 14)), &QPushButton::clicked, this, &QDialog::reject);

    snapshot_ = log_.text();
    showSnapshot();
}

QString CNmeaMonitorDlg::shownText() const { return edit_->toPlainText(); }

void CNmeaMonitorDlg::getNewText()
{
    log_.append("New---------Text");
    snapshot_ = log_.text();
    showSnapshot();
}

void CNmeaMonitorDlg::toggleHex()
{
    hex_ = !hex_;
    showSnapshot();
}

QString CNmeaMonitorDlg::hexDump(const QByteArray& bytes)
{
    QString out;
    for (qsizetype offset = 0; offset < bytes.size(); offset += 16) {
        const QByteArray row = bytes.mid(offset, 16);
        QString hex;
        QString ascii;
        for (qsizetype i = 0; i < 16; ++i) {
            if (i < row.size()) {
                const uchar c = uchar(row[i]);
                hex += QString::asprintf("%02X ", c);
                ascii += c >= 0x20 && c < 0x7F ? QChar(c) : QChar('.');
            } else {
                hex += QStringLiteral("   ");
            }
        }
        out += QString::asprintf("%08X  ", unsigned(offset)) + hex + QLatin1Char(' ') + ascii + QLatin1Char('\n');
    }
    return out;
}

void CNmeaMonitorDlg::showSnapshot()
{
    if (hex_) {
        edit_->setPlainText(hexDump(snapshot_));
    } else {
        // Received bytes are shown one to one; a CR before the LF would
        // otherwise add an empty line.
        QByteArray text = snapshot_;
        text.replace("\r", "");
        QString shown = QString::fromLatin1(text);
        if (!log_.aisSummary().isEmpty())
            shown += log_.aisSummary() + QLatin1Char('\n');
        edit_->setPlainText(shown);
    }
    edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
}

} // namespace kesmar
