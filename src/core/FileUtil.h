#pragma once
#include "core/Error.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kesmar {

// Replaces `path` atomically (temporary file, flush, rename): a crash while
// saving leaves the old file intact. A file that exists but cannot be read
// is never replaced. The error names `path` and the system's reason.
Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// Reads a whole file; the error names the file and the system's reason.
Result<QByteArray> readFile(const QString& path);
// The same where the reason does not matter: nullopt when it cannot be read.
std::optional<QByteArray> readWholeFile(const QString& path);

// Chart and data files come from systems without case in file names:
// returns the existing entry of `dir` whose name equals `name` ignoring case,
// or dir/name when none does (so callers report the expected name).
QString findFileNoCase(const QString& dir, const QString& name);

// Joins ProgramFolder and a relative path written with either separator,
// matching every component case-insensitively ("CHARTDATA\\WORLDMAP.LIN").
QString programPath(const QString& programFolder, const QString& relative);

} // namespace kesmar
