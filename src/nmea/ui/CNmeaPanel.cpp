#include "nmea/ui/CNmeaPanel.h"

#include "core/IniFile.h"
#include "nmea/NmeaLog.h"
#include "nmea/ui/CNmeaMonitorDlg.h"
#include "nmea/ui/InstrumentPainter.h"
#include "nmea/ui/InstrumentView.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace kesmar {
namespace {

// Dialog units of the panel's 8-point font in pixels.
QRect dlu(int x, int y, int w, int h)
{
    return QRect(qRound(x * 1.5), qRound(y * 1.625), qRound(w * 1.5), qRound(h * 1.625));
}

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text, Qt::Alignment align, bool sunken)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    if (sunken)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

void makeGroup(QWidget* parent, const QRect& geometry, const QString& title, bool centred)
{
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(geometry);
    QFont font = group->font();
    font.setPixelSize(9);
    group->setFont(font);
    if (centred)
        group->setAlignment(Qt::AlignHCenter);
    group->lower();
}

// The numeric prefix of `text` after blanks: [sign]digits[.digits][e[sign]digits].
std::string numberPrefix(const QString& text)
{
    const std::string s = text.toStdString();
    size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos)
        return {};
    std::string out;
    if (s[i] == '+' || s[i] == '-')
        out += s[i++];
    auto digits = [&] {
        size_t n = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            out += s[i++], ++n;
        return n;
    };
    size_t n = digits();
    if (i < s.size() && s[i] == '.') {
        out += s[i++];
        n += digits();
        if (n > 0 && i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E')) {
            std::string exponent = "e";
            size_t j = i + 1;
            if (s[j] == '+' || s[j] == '-')
                exponent += s[j++];
            if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
                out += exponent;
                i = j;
                digits();
            }
        }
    }
    return n == 0 ? std::string() : out;
}

} // namespace

int CNmeaPanel::leadingInt(const QString& text)
{
    return atoiLike(text);
}

double CNmeaPanel::leadingDouble(const QString& text)
{
    std::string number = numberPrefix(text);
    if (!number.empty() && number[0] == '+')
        number.erase(0, 1);
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return std::isfinite(value) ? value : 0.0;
}

CNmeaPanel::CNmeaPanel(NmeaLog& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setWindowTitle(tr("NMEA-IN"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    QFont font = this->font();
    font.setPixelSize(10);
    setFont(font);
    buildLayout();
    setFixedSize(dlu(0, 0, 94, 342).size());
}

void CNmeaPanel::buildLayout()
{
    const QRect windRect = dlu(3, 3, 87, 80);
    const QRect courseRect = dlu(3, 83, 87, 80);
    const QRect depthRect = dlu(3, 163, 87, 40);
    windView_ = new InstrumentView(windRect.size(), [this] { return InstrumentPainter::windDial(windAngle_); }, this);
    windView_->move(windRect.topLeft());
    courseView_ = new InstrumentView(courseRect.size(), [this] { return InstrumentPainter::courseRose(course_); }, this);
    courseView_->move(courseRect.topLeft());
    depthView_ = new InstrumentView(depthRect.size(), [this] { return InstrumentPainter::depthBar(depth_); }, this);
    depthView_->move(depthRect.topLeft());

    QFont small = font();
    small.setPixelSize(9);
    windLabel_ = makeLabel(this, dlu(40, 57, 14, 8), QString(), Qt::AlignHCenter, false);
    courseLabel_ = makeLabel(this, dlu(40, 136, 15, 8), QString(), Qt::AlignHCenter, false);
    depthLabel_ = makeLabel(this, dlu(40, 189, 15, 8), QString(), Qt::AlignHCenter, false);
    for (QLabel* label : {windLabel_, courseLabel_, depthLabel_})
        label->setFont(small);

    makeGroup(this, dlu(4, 205, 42, 26), tr("Speed"), true);
    makeGroup(this, dlu(48, 205, 42, 26), tr("Course (mag)"), true);
    makeGroup(this, dlu(4, 231, 42, 26), tr("Satelites"), true);
    makeGroup(this, dlu(48, 231, 42, 26), tr("Height"), true);
    makeGroup(this, dlu(3, 257, 87, 39), tr("Position"), false);
    makeGroup(this, dlu(3, 296, 87, 26), tr("UTC"), false);
    auto field = [&](NmeaPanelField id, QRect r, const char* text, Qt::Alignment align) {
        fields_.insert(int(id), makeLabel(this, r, QString::fromUtf8(text), align, true));
    };
    field(NmeaPanelField::Speed, dlu(10, 215, 30, 11), "--", Qt::AlignHCenter);
    field(NmeaPanelField::CourseMagnetic, dlu(53, 215, 31, 11), " ----", Qt::AlignHCenter);
    field(NmeaPanelField::Satellites, dlu(9, 241, 31, 11), "--", Qt::AlignHCenter);
    field(NmeaPanelField::Height, dlu(53, 241, 31, 11), " ----", Qt::AlignHCenter);
    field(NmeaPanelField::Latitude, dlu(9, 266, 75, 11), "  LAT:      --°--.--- ? ", Qt::AlignLeft);
    field(NmeaPanelField::Longitude, dlu(9, 280, 75, 11), "  LON:    ---°--.--- ? ", Qt::AlignLeft);
    field(NmeaPanelField::Utc, dlu(9, 306, 75, 11), "--:--:--    --:--:--", Qt::AlignHCenter);
    QFont rows = font();
    rows.setFamily(QStringLiteral("DejaVu Sans Mono"));
    rows.setPixelSize(9);
    for (NmeaPanelField f : {NmeaPanelField::Latitude, NmeaPanelField::Longitude, NmeaPanelField::Utc})
        fields_.value(int(f))->setFont(rows);

    auto* monitor = new QPushButton(tr("NMEA-Monitor"), this);
    monitor->setGeometry(dlu(3, 324, 87, 15));
    monitor->setAutoDefault(false);
    connect(monitor, &QPushButton::clicked, this, &CNmeaPanel::openMonitor);
}

QString CNmeaPanel::fieldText(NmeaPanelField field) const
{
    QLabel* label = fields_.value(int(field));
    return label ? label->text() : QString();
}

QString CNmeaPanel::windLabel() const { return windLabel_->text(); }
QString CNmeaPanel::courseLabel() const { return courseLabel_->text(); }
QString CNmeaPanel::depthLabel() const { return depthLabel_->text(); }

void CNmeaPanel::setFieldText(NmeaPanelField field, const QString& text)
{
    if (QLabel* label = fields_.value(int(field)))
        label->setText(text);
}

bool CNmeaPanel::SetWindAngle(int angle)
{
    const int n = angle > 359 ? angle % 360 : angle;
    // Repaint the dial only when the needle moves by at least one pixel.
    const bool moved = InstrumentPainter::dialPoint(windAngle_, 58) != InstrumentPainter::dialPoint(n, 58);
    if (moved)
        windView_->invalidate();
    windAngle_ = n;
    windLabel_->setText(QString::number(n));
    return moved;
}

bool CNmeaPanel::SetCourseText(const QString& text)
{
    int c = leadingInt(text);
    if (c > 359)
        c %= 360;
    if (c == course_)
        return false;
    course_ = c;
    courseView_->invalidate();
    courseLabel_->setText(QString::asprintf("%d°", c));
    return true;
}

bool CNmeaPanel::SetDepthText(const QString& text)
{
    depth_ = leadingDouble(text);
    depthView_->invalidate();
    depthLabel_->setText(QString::asprintf("%3.1f", depth_));
    return true;
}

bool CNmeaPanel::AppendNmeaLog(QByteArrayView text) { return log_.append(text); }

void CNmeaPanel::togglePanel() { setPanelVisible(!panelVisible_); }

void CNmeaPanel::setPanelVisible(bool visible)
{
    const bool changed = visible != panelVisible_;
    panelVisible_ = visible;
    setVisible(visible);
    if (changed)
        emit panelVisibleChanged(visible);
}

void CNmeaPanel::closeEvent(QCloseEvent* event)
{
    // The close box only hides the panel; the command shows it again.
    event->ignore();
    setPanelVisible(false);
}

void CNmeaPanel::reject()
{
    // QDialog would only hide the window and leave the command checked.
    setPanelVisible(false);
}

void CNmeaPanel::openMonitor()
{
    CNmeaMonitorDlg monitor(log_, this);
    monitor.exec();
}

} // namespace kesmar
