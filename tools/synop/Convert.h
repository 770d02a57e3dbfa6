#pragma once
#include <QStringList>

namespace kesmar::synoptool {

// `kesmar-synop convert [--now "YYYY-MM-DD HH:MM"]`: converts the hourly
// bulletin files of the current folder into SYNOP\STATION.DAT.
// `args` are the arguments after "convert". Returns the exit code.
int runConvert(const QStringList& args);

} // namespace kesmar::synoptool
