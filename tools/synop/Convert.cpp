#include "Convert.h"

#include <cstdio>

namespace kesmar::synoptool {

int runConvert(const QStringList&)
{
    std::fputs("kesmar-synop convert: not built yet\n", stderr);
    return 2;
}

} // namespace kesmar::synoptool
