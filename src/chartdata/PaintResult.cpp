#include "chartdata/PaintResult.h"

#include "chartdata/ChartEntry.h"

namespace kesmar {

QString PaintResult::OpenError::message() const
{
    const char* ext = flag == ChartEntry::WpnFailed ? ".WPN" : ".LIN";
    return QStringLiteral("OPEN ERROR CHARTDATA\\") + chart + QLatin1String(ext);
}

} // namespace kesmar
