#include "SynviewOptions.h"

#include "weather/StationReportText.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace kesmar {

namespace {

// Calendar fields of the report (UTC) become a time value the way the
// decoder makes them: taken as fields of the local time zone, an hour ahead.
std::optional<uint32_t> fromFields(int year, int month, int day, int hour, int minute)
{
    const QDate date(year, month, day);
    const QTime clock(hour, minute);
    if (!date.isValid() || !clock.isValid()) return std::nullopt;
    const qint64 t = QDateTime(date, clock, Qt::LocalTime).toSecsSinceEpoch() + StationReportText::kReportHourLead;
    if (t <= 0 || t > qint64(UINT32_MAX)) return std::nullopt;
    return uint32_t(t);
}

} // namespace

std::optional<uint32_t> SynviewOptions::parseTime(const QString& text)
{
    const auto file = QRegularExpression(QStringLiteral("^(20\\d\\d)(\\d\\d)(\\d\\d)(\\d\\d)$")).match(text);
    if (file.hasMatch()) {
        if (auto t = fromFields(file.captured(1).toInt(), file.captured(2).toInt(), file.captured(3).toInt(),
                                file.captured(4).toInt(), 0))
            return t;
    }
    const auto iso = QRegularExpression(QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)[T ](\\d\\d)(?::(\\d\\d))?$")).match(text);
    if (iso.hasMatch())
        return fromFields(iso.captured(1).toInt(), iso.captured(2).toInt(), iso.captured(3).toInt(),
                          iso.captured(4).toInt(), iso.captured(5).isEmpty() ? 0 : iso.captured(5).toInt());
    if (QRegularExpression(QStringLiteral("^\\d{1,10}$")).match(text).hasMatch()) {
        const qint64 v = text.toLongLong();
        if (v > 0 && v <= qint64(UINT32_MAX)) return uint32_t(v);
    }
    return std::nullopt;
}

const char* SynviewOptions::usage()
{
    return "usage: kesmar-synview [TIME]\n"
           "       kesmar-synview --render out.png|out.pdf [--time TIME] [--view LAT,LON,SCALE] [--size WxH]\n"
           "       kesmar-synview --legend out.png   (the key to the station model's symbols)\n"
           "TIME: seconds since 1970 (as the plotter passes it), YYYYMMDDHH or YYYY-MM-DDTHH:MM";
}

std::optional<SynviewOptions> SynviewOptions::parse(const QStringList& args, QString* error)
{
    SynviewOptions o;
    bool sawPositional = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--render") && hasValue) {
            o.renderOutput = args[++i];
            const QString lower = o.renderOutput.toLower();
            if (!lower.endsWith(QLatin1String(".png")) && !lower.endsWith(QLatin1String(".pdf"))) {
                *error = QStringLiteral("the output must end in .png or .pdf");
                return std::nullopt;
            }
        } else if (a == QLatin1String("--legend") && hasValue) {
            o.legendOutput = args[++i];
        } else if (a == QLatin1String("--size") && hasValue) {
            const auto m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(args[++i]);
            if (!m.hasMatch() || m.captured(1).toInt() < 16 || m.captured(2).toInt() < 16
                || m.captured(1).toInt() > 20000 || m.captured(2).toInt() > 20000) {
                *error = QStringLiteral("--size wants WIDTHxHEIGHT between 16 and 20000, e.g. 1920x1080");
                return std::nullopt;
            }
            o.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (a == QLatin1String("--view") && hasValue) {
            const QStringList parts = args[++i].split(QLatin1Char(','));
            bool ok[3] = {false, false, false};
            double v[3] = {0, 0, 0};
            for (int k = 0; k < 3 && parts.size() == 3; ++k) v[k] = parts[k].toDouble(&ok[k]);
            if (!ok[0] || !ok[1] || !ok[2] || std::abs(v[0]) > 90 || std::abs(v[1]) > 180 || !(v[2] > 0)) {
                *error = QStringLiteral("--view wants LAT,LON,SCALE (degrees, minutes per pixel), e.g. 52,10,1.5");
                return std::nullopt;
            }
            o.viewLatitude = v[0];
            o.viewLongitude = v[1];
            o.viewScale = v[2];
        } else if ((a == QLatin1String("--time") && hasValue) || (!a.startsWith(QLatin1String("--")) && !sawPositional)) {
            const QString value = a == QLatin1String("--time") ? args[++i] : a;
            sawPositional = sawPositional || a != QLatin1String("--time");
            o.time = parseTime(value);
            if (!o.time) {
                *error = QStringLiteral("not a time: ") + value;
                return std::nullopt;
            }
        } else {
            *error = QStringLiteral("unknown or incomplete argument: ") + a;
            return std::nullopt;
        }
    }
    return o;
}

} // namespace kesmar
