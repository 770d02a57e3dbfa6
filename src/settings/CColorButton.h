#pragma once
#include <QAbstractButton>
#include <QRgb>

namespace kesmar {

// One colour swatch of the Colors page: the colour inset by 2 pixels in a
// push-button frame, drawn pushed while selected. The mixing swatch has no frame.
class CColorButton : public QAbstractButton {
    Q_OBJECT
public:
    CColorButton(int id, bool framed, QWidget* parent = nullptr);

    int id() const { return id_; }
    void setColour(QRgb rgb);
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int id_;
    bool framed_;
    bool selected_ = false;
    QRgb colour_ = 0;
};

} // namespace kesmar
