#include "view/PointInfoWindow.h"

#include "chartdata/PointDescription.h"
#include "view/PointSymbolPreview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>

namespace kesmar {

namespace {

// The dialog template's size in dialog units, at 1.5 x 1.625 pixels each.
constexpr int kWidth = 478, kHeight = 145;
constexpr int kPreviewWidth = 108, kTextLeft = 106;
constexpr int kGap = 20;

} // namespace

PointInfoWindow::PointInfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Find Window"));
    setFixedSize(kWidth, kHeight);
    preview_ = new PointSymbolPreview(this);
    preview_->setGeometry(0, 0, kPreviewWidth, kHeight);
    text_ = new QPlainTextEdit(this);
    text_->setGeometry(kTextLeft, 0, kWidth - kTextLeft, kHeight);
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->viewport()->installEventFilter(this);
    connect(preview_, &PointSymbolPreview::released, this, &PointInfoWindow::dismissed);
}

void PointInfoWindow::showPoint(const PointRecord& record, QPoint pointPixel,
                                std::shared_ptr<const SymbolLibrary> library, const ColourTable& printerColours,
                                const QString& textFamily)
{
    setDescription(PointDescription::build(record), textFamily);
    preview_->show(record, std::move(library), printerColours);
    showBeside(pointPixel);
}

void PointInfoWindow::showText(const QString& text, QPoint pointPixel)
{
    setDescription(text, QString());
    preview_->clear();
    showBeside(pointPixel);
}

void PointInfoWindow::setDescription(const QString& text, const QString& textFamily)
{
    QFont font(textFamily.isEmpty() ? QStringLiteral("Arial") : textFamily);
    font.setPixelSize(14);
    font.setWeight(QFont::DemiBold);
    text_->setFont(font);
    text_->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char('x')) * 8);
    QString description = text.left(kMaxCharacters);
    description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(description);
}

void PointInfoWindow::showBeside(QPoint pointPixel)
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // Before the first show the frame is not known; the client size stands in.
    QSize frame = frameGeometry().size();
    if (!isVisible() || frame.width() < width())
        frame = size();
    move(placement(pointPixel, desktop, frame));
    show();
    raise();
    activateWindow();
}

QPoint PointInfoWindow::placement(QPoint point, const QRect& desktop, QSize frame)
{
    const QPoint centre = desktop.center();
    const int x = point.x() < centre.x() ? point.x() + kGap : point.x() - kGap - frame.width();
    const int y = point.y() < centre.y() ? point.y() + kGap : point.y() - kGap - frame.height();
    return {x, y};
}

QString PointInfoWindow::text() const
{
    return text_->toPlainText();
}

bool PointInfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
            emit dismissed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PointInfoWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A tool window counts as active while its parent is (shared activation),
    // so the application's active window tells whether the user left it.
    if (event->type() == QEvent::ActivationChange && isVisible() && QApplication::activeWindow() != this)
        emit dismissed();
}

void PointInfoWindow::closeEvent(QCloseEvent* event)
{
    // The owner hides the window and clears the selection; the object stays.
    event->ignore();
    emit dismissed();
}

} // namespace kesmar
