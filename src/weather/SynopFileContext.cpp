#include "weather/SynopFileContext.h"

#include "weather/SynopTimeWindow.h"

namespace kesmar {

int64_t SynopFileContext::monthBaseTime(int year, int month)
{
    return SynopTimeWindow::localTimeValue(year, month, 1, 0, 0, 0) - 82800;
}

SynopFileContext SynopFileContext::forFile(int year, int month, int day, int hour,
                                           int64_t fileTime, const SynopTimeWindow& window)
{
    SynopFileContext context;
    context.baseTime = monthBaseTime(year, month);
    context.previousBaseTime = month > 1 ? monthBaseTime(year, month - 1) : monthBaseTime(year - 1, 12);
    context.earliestTime = window.earliest;
    context.latestTime = window.latest;
    const int dayOfYear = SynopTimeWindow::localFields(fileTime).tm_yday;
    context.fileIndex = static_cast<uint16_t>((dayOfYear + day - 1) * 24 + hour);
    context.defaultTime = fileTime;
    return context;
}

} // namespace kesmar
