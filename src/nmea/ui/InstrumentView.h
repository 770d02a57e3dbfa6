#pragma once
#include <QImage>
#include <QWidget>

namespace kesmar {

// Shows one instrument image; repainted from an image that is replaced as a
// whole, so the pointer never flickers. No background erase.
class InstrumentView : public QWidget {
    Q_OBJECT
public:
    explicit InstrumentView(QSize size, QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace kesmar
