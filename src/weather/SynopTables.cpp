#include "weather/SynopTables.h"

#include "core/FileUtil.h"

namespace kesmar {

QString SynopTables::load(const QString& programFolder)
{
    loaded_ = false;
    QString error = stations_.loadFile(programPath(programFolder, QLatin1String(StationTable::kFileName)));
    if (!error.isEmpty())
        return error;
    struct Step {
        CodeTextTable& table;
        const char* file;
    };
    const Step steps[] = {{tt_, kTtFile}, {aa_, kAaFile}, {text_, kTextFile}};
    for (const Step& step : steps) {
        error = step.table.loadFile(programPath(programFolder, QLatin1String(step.file)));
        if (!error.isEmpty())
            return QStringLiteral("%1: %2").arg(QLatin1String(step.file), error);
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
