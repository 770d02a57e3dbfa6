#pragma once
#include <QDialog>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kesmar {

// The controls the SYNOP conversion and download dialogs share: OK (1),
// "Abbrechen" (2), the state line (1185), the per-file group (1182) with its
// progress bar (1179), the run group (1183) with its bar (1180), the
// "CONVERT"/"LOAD" line with the server's address, and the weather icon.
// Both end with result 1 when done and 2 when cancelled or closed.
class SynopProgressDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDone = 1;
    static constexpr int kCancelled = 2;

    QLabel* stateLine() const { return state_; }
    QGroupBox* fileGroup() const { return fileGroup_; }
    QProgressBar* fileBar() const { return fileBar_; }
    QGroupBox* totalGroup() const { return totalGroup_; }
    QProgressBar* totalBar() const { return totalBar_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* serverLine() const { return server_; }

protected:
    SynopProgressDialog(const QString& caption, const QString& serverLine, QWidget* parent);

    // OK was pressed (the button is disabled already).
    virtual void start() = 0;

private:
    QLabel* state_;
    QGroupBox* fileGroup_;
    QProgressBar* fileBar_;
    QGroupBox* totalGroup_;
    QProgressBar* totalBar_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QLabel* server_;
};

} // namespace kesmar
