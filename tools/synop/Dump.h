#pragma once
#include <QStringList>

namespace kesmar::synoptool {

// `kesmar-synop dump [--csv] [FILE]`: prints every record of a station file
// (default SYNOP\STATION.DAT of the current folder), one line each, with
// every field by name and the names of the set validity bits.
// `args` are the arguments after "dump". Returns the exit code.
int runDump(const QStringList& args);

} // namespace kesmar::synoptool
