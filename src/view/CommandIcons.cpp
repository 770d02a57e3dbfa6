#include "view/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace kesmar {

namespace {

const QColor kInk(0, 0, 0);
const QColor kSea(0, 96, 192);
const QColor kLand(192, 160, 64);
const QColor kRed(192, 0, 0);
const QColor kGreen(0, 128, 0);

void arrow(QPainter& p, double angleDegrees)
{
    p.save();
    p.translate(9.5, 9.5);
    p.rotate(angleDegrees);
    QPolygonF head;
    head << QPointF(0, -8) << QPointF(6, -1) << QPointF(2, -1) << QPointF(2, 7) << QPointF(-2, 7)
         << QPointF(-2, -1) << QPointF(-6, -1);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSea);
    p.drawPolygon(head);
    p.restore();
}

void magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    p.drawLine(QPointF(11, 11), QPointF(17, 17));
    p.setPen(QPen(kRed, 2));
    p.drawLine(QPointF(4, 7), QPointF(10, 7));
    if (plus)
        p.drawLine(QPointF(7, 4), QPointF(7, 10));
}

void globe(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSea);
    p.drawEllipse(QRectF(1.5, 1.5, 16, 16));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(6, 1.5, 7, 16));
    p.drawLine(QPointF(1.5, 9.5), QPointF(17.5, 9.5));
    p.setPen(QPen(kLand, 2));
    p.drawLine(QPointF(4, 6), QPointF(8, 5));
    p.drawLine(QPointF(11, 12), QPointF(14, 14));
}

void miniWindow(QPainter& p, int number)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 15, 13));
    p.setBrush(kSea);
    p.drawRect(QRectF(1.5, 2.5, 15, 3));
    p.setPen(kInk);
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(2, 6, 15, 10), Qt::AlignCenter, QString::number(number));
}

void arrange(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSea);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(1.5 + 4 * i, 12.5, 3, 4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 15, 9));
}

void settings(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 3; ++i) {
        const double y = 3.5 + 6 * i;
        p.drawLine(QPointF(2, y), QPointF(17, y));
        p.setBrush(i == 1 ? kRed : kSea);
        p.drawRect(QRectF(4 + 4 * i, y - 2, 3, 4));
    }
}

void dial(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 16, 16));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(9.5 + 6 * std::cos(a), 9.5 + 6 * std::sin(a)),
                   QPointF(9.5 + 8 * std::cos(a), 9.5 + 8 * std::sin(a)));
    }
    p.setPen(QPen(kRed, 2));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 5));
}

void dividers(QPainter& p)
{
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(9.5, 2), QPointF(3, 17));
    p.drawLine(QPointF(9.5, 2), QPointF(16, 17));
    p.setPen(QPen(kRed, 1, Qt::DashLine));
    p.drawLine(QPointF(3, 17), QPointF(16, 17));
}

void route(QPainter& p, bool append)
{
    p.setPen(QPen(QColor(255, 216, 0).darker(130), 2));
    p.drawPolyline(QPolygonF() << QPointF(2, 16) << QPointF(7, 8) << QPointF(12, 12) << QPointF(16, 3));
    if (append) {
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(2, 4), QPointF(8, 4));
        p.drawLine(QPointF(5, 1), QPointF(5, 7));
    }
}

void cloud(QPainter& p)
{
    QPainterPath path;
    path.addEllipse(QRectF(1, 6, 8, 7));
    path.addEllipse(QRectF(5, 2, 9, 9));
    path.addEllipse(QRectF(10, 6, 8, 7));
    path.addRect(QRectF(5, 9, 9, 4));
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(220, 230, 245));
    p.drawPath(path.simplified());
}

void download(QPainter& p)
{
    cloud(p);
    p.setPen(QPen(kGreen, 2));
    p.drawLine(QPointF(9.5, 8), QPointF(9.5, 17));
    p.drawLine(QPointF(6, 14), QPointF(9.5, 17));
    p.drawLine(QPointF(13, 14), QPointF(9.5, 17));
}

void convert(QPainter& p)
{
    cloud(p);
    p.setPen(QPen(kRed, 2));
    p.drawLine(QPointF(3, 16), QPointF(15, 16));
    p.drawLine(QPointF(12, 13.5), QPointF(15, 16));
}

void synopViewer(QPainter& p)
{
    globe(p);
    p.setPen(QPen(kRed, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(11, 1, 6, 6));
}

void list(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 14, 16));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(5, 4.5 + 3 * i), QPointF(14, 4.5 + 3 * i));
}

void terminal(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(32, 32, 32));
    p.drawRect(QRectF(1.5, 4.5, 16, 11));
    p.setPen(QPen(kGreen, 1));
    p.drawLine(QPointF(4, 8), QPointF(7, 10));
    p.drawLine(QPointF(7, 10), QPointF(4, 12));
    p.drawLine(QPointF(9, 12.5), QPointF(14, 12.5));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(9.5, 4.5), QPointF(14, 0));
}

void film(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(48, 48, 48));
    p.drawRect(QRectF(1.5, 2.5, 16, 14));
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(3 + 4 * i, 3.5, 2, 2));
        p.drawRect(QRectF(3 + 4 * i, 13.5, 2, 2));
    }
    p.setBrush(kSea);
    p.drawRect(QRectF(3.5, 6.5, 12, 6));
}

void about(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 16, 16));
    p.setPen(QPen(kSea, 2));
    p.drawPoint(QPointF(9.5, 5.5));
    p.drawLine(QPointF(9.5, 8.5), QPointF(9.5, 14.5));
}

// A ship in the crosshairs: the chart follows the vessel.
void follow(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2.5, 2.5, 14, 14));
    p.drawLine(QPointF(9.5, 0), QPointF(9.5, 4));
    p.drawLine(QPointF(9.5, 15), QPointF(9.5, 19));
    p.drawLine(QPointF(0, 9.5), QPointF(4, 9.5));
    p.drawLine(QPointF(15, 9.5), QPointF(19, 9.5));
    p.setBrush(kGreen);
    const QPolygonF ship{{9.5, 4.5}, {12.5, 13.5}, {6.5, 13.5}};
    p.drawPolygon(ship);
}

bool draw(QPainter& p, CommandId id)
{
    switch (id) {
    case CommandId::AppAbout: about(p); return true;
    case CommandId::ArrangeMiniWindows: arrange(p); return true;
    case CommandId::MiniWindow1: miniWindow(p, 1); return true;
    case CommandId::MiniWindow2: miniWindow(p, 2); return true;
    case CommandId::MiniWindow3: miniWindow(p, 3); return true;
    case CommandId::MiniWindow4: miniWindow(p, 4); return true;
    case CommandId::DetailSettingsToolbar: settings(p); return true;
    case CommandId::PanDown: arrow(p, 180); return true;
    case CommandId::PanUp: arrow(p, 0); return true;
    case CommandId::PanLeft: arrow(p, 270); return true;
    case CommandId::PanRight: arrow(p, 90); return true;
    case CommandId::ZoomIn: magnifier(p, true); return true;
    case CommandId::ZoomOut: magnifier(p, false); return true;
    case CommandId::WholeWorld: globe(p); return true;
    case CommandId::NmeaPanel: dial(p); return true;
    case CommandId::Measure: dividers(p); return true;
    case CommandId::FollowVessel: follow(p); return true;
    case CommandId::NewRoute: route(p, false); return true;
    case CommandId::AppendRoute: route(p, true); return true;
    case CommandId::SynopDownload: download(p); return true;
    case CommandId::SynopConvert: convert(p); return true;
    case CommandId::SynopViewer: synopViewer(p); return true;
    case CommandId::WeatherDataList: list(p); return true;
    case CommandId::WeatherTerminal: terminal(p); return true;
    case CommandId::WeatherMovie: film(p); return true;
    default: return false;
    }
}

} // namespace

QIcon commandIcon(CommandId id)
{
    QPixmap pixmap(kToolbarIconSize, kToolbarIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool drawn = draw(painter, id);
    painter.end();
    return drawn ? QIcon(pixmap) : QIcon();
}

} // namespace kesmar
