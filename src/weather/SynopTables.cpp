#include "weather/SynopTables.h"

#include "core/FileUtil.h"

namespace kesmar {

Status SynopTables::load(const QString& programFolder)
{
    loaded_ = false;
    Status loaded = stations_.loadFile(programPath(programFolder, QLatin1String(StationTable::kFileName)));
    if (!loaded)
        return loaded;
    struct Step {
        CodeTextTable& table;
        const char* file;
    };
    const Step steps[] = {{tt_, kTtFile}, {aa_, kAaFile}, {text_, kTextFile}};
    for (const Step& step : steps) {
        loaded = step.table.loadFile(programPath(programFolder, QLatin1String(step.file)));
        if (!loaded)
            return loaded;
    }
    loaded_ = true;
    return {};
}

void SynopTables::clear()
{
    stations_.clear();
    tt_.clear();
    aa_.clear();
    text_.clear();
    loaded_ = false;
}

} // namespace kesmar
