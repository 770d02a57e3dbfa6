#pragma once
#include <QStringList>

namespace kesmar::synoptool {

// `kesmar-synop download [--now "YYYY-MM-DD HH:MM"]`: fetches the hourly
// bulletin files of the last 72 hours that differ in size from the local
// copies into SYNOP of the current folder. `args` are the arguments after
// "download". Exit code 0 only when every listed file arrived whole.
int runDownload(const QStringList& args);

} // namespace kesmar::synoptool
