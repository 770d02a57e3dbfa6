#include "weather/WeatherFileEntry.h"

#include <ctime>

namespace kesmar {

QString WeatherFileEntry::dateText() const
{
    const time_t t = static_cast<time_t>(time);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return QStringLiteral("00.00.00 00:00");
    return QString::asprintf("%02d.%02d.%02d %02d:%02d", local.tm_mday, local.tm_mon + 1,
                             (local.tm_year + 1900) % 100, local.tm_hour, local.tm_min);
}

} // namespace kesmar
