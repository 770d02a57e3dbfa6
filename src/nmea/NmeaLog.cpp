#include "nmea/NmeaLog.h"

namespace kesmar {

bool NmeaLog::append(QByteArrayView line)
{
    // The line ends at its first line feed; a NUL ends it as well, since the
    // receive buffer is a C string to the monitor.
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\n' || line[i] == '\0') {
            line.truncate(i);
            break;
        }
    }
    if (text_.size() + line.size() >= kLimit)
        return false;
    text_.append(line);
    text_.append('\n');
    return true;
}

} // namespace kesmar
