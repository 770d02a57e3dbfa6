#include "app/AisInfoWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace kesmar {

AisInfoWindow::AisInfoWindow(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setWindowTitle(tr("AIS-Ziel"));
    setModal(false);
    resize(420, 260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    edit_ = new QPlainTextEdit(this);
    edit_->setReadOnly(true);
    edit_->setTabStopDistance(125);
    QFont font = edit_->font();
    font.setPixelSize(14);
    font.setWeight(QFont::DemiBold);
    edit_->setFont(font);
    edit_->viewport()->installEventFilter(this);
    layout->addWidget(edit_);
}

void AisInfoWindow::showText(uint32_t mmsi, const QString& text, const QPoint& p)
{
    mmsi_ = mmsi;
    refreshText(text);
    // 20 pixels beside the point, on the side towards the middle of the desktop.
    const QScreen* screen = QGuiApplication::screenAt(p);
    const QRect desk = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const int x = p.x() < desk.center().x() ? p.x() + 20 : p.x() - 20 - width();
    const int y = p.y() < desk.center().y() ? p.y() + 20 : p.y() - 20 - height();
    move(x, y);
    show();
    raise();
}

void AisInfoWindow::refreshText(const QString& text)
{
    if (edit_->toPlainText() != text) edit_->setPlainText(text);
}

QString AisInfoWindow::text() const
{
    return edit_->toPlainText();
}

bool AisInfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kesmar
