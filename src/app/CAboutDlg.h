#pragma once
#include <QDialog>

namespace kesmar {

// The about box "Programm Info über Kesmar": two lines of text, a rule and
// three pictures; no buttons, it closes with Esc or the close box.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace kesmar
