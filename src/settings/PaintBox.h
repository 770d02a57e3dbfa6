#pragma once
#include <QPainter>
#include <QWidget>

#include <functional>

namespace kesmar {

// An owner-drawn control: the page supplies the drawing.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Paint = std::function<void(QPainter&, QSize)>;
    PaintBox(int id, Paint paint, QWidget* parent = nullptr);
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Paint paint_;
};

} // namespace kesmar
