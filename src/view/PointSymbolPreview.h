#pragma once
#include "chartdata/ColourTable.h"
#include "chartdata/PointRecord.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace kesmar {

class SymbolLibrary;

// The symbol of the selected buoyage point as printed on paper, beside its
// description in the point-information window: the symbol with its
// decorations at a fixed size, "TEXT" for a chart text, the depth figure of
// a sounding (and of wrecks and obstructions that carry a depth). Nothing
// while no point is selected. A mouse button release is reported.
class PointSymbolPreview : public QWidget {
    Q_OBJECT
public:
    explicit PointSymbolPreview(QWidget* parent = nullptr);

    void show(const PointRecord& record, std::shared_ptr<const SymbolLibrary> library, const ColourTable& printerColours);
    void clear();
    const std::optional<PointRecord>& record() const { return record_; }

    // Symbol units to pixels in the preview.
    static constexpr double kSymbolSize = 0.07;

    // Draws what the preview shows for `record` into a W x H area.
    static void draw(QPainter& painter, QSize area, const PointRecord& record, const SymbolLibrary* library,
                     const ColourTable& printerColours);

signals:
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<PointRecord> record_;
    std::shared_ptr<const SymbolLibrary> library_;
    ColourTable colours_;
};

} // namespace kesmar
