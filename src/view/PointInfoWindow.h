#pragma once
#include "chartdata/ColourTable.h"
#include "chartdata/PointRecord.h"

#include <QWidget>

#include <memory>

class QPlainTextEdit;

namespace kesmar {

class PointSymbolPreview;
class SymbolLibrary;

// The point-information window "Find Window": the symbol preview on the left,
// the description in a read-only text box on the right. Created hidden once
// and reused for every point. A mouse button release on either part, closing
// the window and the window losing activation all report dismissed(); the
// owner then clears the selection and hides it.
class PointInfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit PointInfoWindow(QWidget* parent = nullptr);

    // Shows the description of `record` beside the screen point `pointPixel`.
    // `textFamily` is the family of the small chart text font.
    void showPoint(const PointRecord& record, QPoint pointPixel, std::shared_ptr<const SymbolLibrary> library,
                   const ColourTable& printerColours, const QString& textFamily);

    // Top-left corner of a window of `frame` size 20 pixels beside `point`,
    // on the side towards the centre of `desktop`.
    static QPoint placement(QPoint point, const QRect& desktop, QSize frame);

    // A description without a chart symbol (an AIS target) beside `pointPixel`.
    void showText(const QString& text, QPoint pointPixel);

    QString text() const;
    PointSymbolPreview& preview() { return *preview_; }
    QPlainTextEdit& textBox() { return *text_; }

    // The description may hold at most this many characters.
    static constexpr int kMaxCharacters = 4096;

signals:
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setDescription(const QString& text, const QString& textFamily);
    void showBeside(QPoint pointPixel);

    PointSymbolPreview* preview_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};

} // namespace kesmar
