#pragma once
#include <QPushButton>

namespace kesmar {

// The owner-drawn font button of every bulletin page: a 121 x 121 picture
// of two letters of different size.
class FontStepButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kSide = 121;

    explicit FontStepButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {kSide + 4, kSide + 4}; }

    static QPixmap picture();
};

} // namespace kesmar
