#include "settings/CColorPreview.h"

#include "chartdata/SymbolLibrary.h"
#include "settings/SettingsPreviews.h"

#include <QMouseEvent>
#include <QPainter>

namespace kesmar {

CColorPreview::CColorPreview(int id, std::function<ColourTable()> colours,
                             std::shared_ptr<const SymbolLibrary> library, QWidget* parent)
    : QWidget(parent), id_(id), colours_(std::move(colours)), library_(std::move(library))
{
    setObjectName(QString::number(id));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage CColorPreview::render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    static const SymbolLibrary empty;
    SettingsPreviews::paintColourPreview(p, size(), colours_(), library_ ? *library_ : empty);
    return image;
}

void CColorPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, render());
}

void CColorPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) return;
    emit picked(render().pixel(at));
}

} // namespace kesmar
