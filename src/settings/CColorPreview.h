#pragma once
#include "chartdata/ColourTable.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

namespace kesmar {

class SymbolLibrary;

// A colour preview of the Colors page: the bands and sample symbols in the
// colours its source gives. Releasing the left button over it reports the
// colour of the pixel under the mouse.
class CColorPreview : public QWidget {
    Q_OBJECT
public:
    CColorPreview(int id, std::function<ColourTable()> colours, std::shared_ptr<const SymbolLibrary> library,
                  QWidget* parent = nullptr);

    int id() const { return id_; }
    // The picture as it is painted.
    QImage render() const;

signals:
    void picked(QRgb pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int id_;
    std::function<ColourTable()> colours_;
    std::shared_ptr<const SymbolLibrary> library_;
};

} // namespace kesmar
