#include "SynviewRender.h"

#include "SynviewScene.h"
#include "weather/StationReportText.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kesmar {

namespace {

void drawTitle(QPainter& painter, const QString& text)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    const QRectF box = painter.boundingRect(QRectF(8, 8, 2000, 40), Qt::AlignLeft | Qt::AlignTop, text)
                           .adjusted(-5, -3, 5, 3);
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(8, 8, 2000, 40), Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

QString SynviewRender::title(const SynviewScene& scene, int drawn)
{
    if (scene.data().times().empty()) return QStringLiteral("SYNOP: keine Meldungen");
    return QStringLiteral("SYNOP %1  –  %2 von %3 Stationen gezeigt")
        .arg(StationReportText::timeText(scene.time()))
        .arg(drawn)
        .arg(scene.layer().visibleCount());
}

bool SynviewRender::run(const SynviewOptions& o, const QString& folder, QStringList& messages)
{
    SynviewScene scene(folder);
    if (!scene.startUp(o.size)) {
        messages << scene.messages();
        return false;
    }
    if (o.viewScale) scene.setView(*o.viewLatitude, *o.viewLongitude, *o.viewScale);
    if (o.time && !scene.setTime(*o.time))
        messages << QStringLiteral("Zu %1 gibt es keine Meldungen.").arg(StationReportText::timeText(*o.time));

    const bool pdf = o.renderOutput.toLower().endsWith(QLatin1String(".pdf"));
    QImage image;
    QPdfWriter* writer = nullptr;
    std::unique_ptr<QPdfWriter> pdfWriter;
    QPainter painter;
    if (pdf) {
        pdfWriter = std::make_unique<QPdfWriter>(o.renderOutput);
        writer = pdfWriter.get();
        writer->setResolution(72);
        writer->setPageLayout(QPageLayout(QPageSize(QSizeF(o.size), QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        writer->setTitle(QStringLiteral("Kesmar – Synop-Wetter-Karte"));
        scene.setVectorOutput(true);
        if (!painter.begin(writer)) {
            messages << QStringLiteral("cannot write ") + o.renderOutput;
            return false;
        }
    } else {
        image = QImage(o.size, QImage::Format_RGB32);
        painter.begin(&image);
    }
    scene.paintChart(painter);
    if (!pdf) scene.setChartPicture(&image);
    const int drawn = scene.paintStations(painter);
    drawTitle(painter, title(scene, drawn));
    messages << scene.messages() << scene.data().problemsAt(scene.time());
    if (!painter.end() && pdf) {
        messages << QStringLiteral("cannot write ") + o.renderOutput;
        return false;
    }
    if (!pdf && !image.save(o.renderOutput, "PNG")) {
        messages << QStringLiteral("cannot write ") + o.renderOutput;
        return false;
    }
    return true;
}

} // namespace kesmar
