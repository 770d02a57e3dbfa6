#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace kesmar {

class SynviewScene;

// The map of the weather viewer: the chart picture (kept until the view
// changes) with the station models on top. Zoom and pan by the plotter's
// keys, the wheel and a rectangle dragged with the left button; a click on a
// station asks for its report.
class SynviewMapWidget : public QWidget {
    Q_OBJECT
public:
    SynviewMapWidget(SynviewScene& scene, QWidget* parent = nullptr);

    // One Viewport::ZoomPan step (key codes and command ids of the chart view).
    void zoomPan(int code, const QRect& rectangle = QRect());
    // After a new observation time: the charts stay, the stations change.
    void stationsChanged();

signals:
    void stationClicked(int index);
    void viewChanged(int drawn, int visible);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;

private:
    void chartChanged();

    SynviewScene& scene_;
    QImage chart_;
    bool chartValid_ = false;
    bool started_ = false;
    QPoint pressAt_;
    QRect band_;
    bool pressed_ = false;
    int wheelRemainder_ = 0;
};

} // namespace kesmar
