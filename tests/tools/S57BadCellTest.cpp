// Cells and updates that cannot be imported: a message naming the file, and
// the chart folder left as it was.
#include "S57Cell.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

const QString kCell = QStringLiteral(KESMAR_SHARED_DIR "/seadata/enc/US5FL4DQ.000");

QByteArray noise(int size)
{
    std::mt19937 random(18);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

QByteArray cellBytes()
{
    QFile f(kCell);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct BadCase {
    const char* what;
    QByteArray cell;
    QByteArray update;  // written as CELL.001 when not empty
    const char* namedFile;
    const char* reason;
};

std::vector<BadCase> badCases()
{
    const QByteArray good = cellBytes();
    return {
        {"encrypted cell", noise(8192), {}, "CELL.000", "encrypted (S-63) cell"},
        {"text file", "not a chart\n", {}, "CELL.000", "not an S-57 cell"},
        {"cut short", good.left(2000), {}, "CELL.000", "GDAL cannot read the cell"},
        {"update of another sequence", good, good, "CELL.001", "update does not apply: it is update 0"},
        {"encrypted update", good, noise(4096), "CELL.001", "encrypted (S-63) update"},
        {"damaged update", good, "garbage", "CELL.001", "not an S-57 update"},
    };
}

} // namespace

TEST(S57BadCell, ReadingFailsNamingTheFile)
{
    for (const BadCase& c : badCases()) {
        QTemporaryDir dir;
        put(dir.filePath("CELL.000"), c.cell);
        if (!c.update.isEmpty())
            put(dir.filePath("CELL.001"), c.update);
        const Result<S57Cell> cell = S57Cell::read(dir.filePath("CELL.000"));
        ASSERT_FALSE(cell.ok()) << c.what;
        EXPECT_EQ(cell.error().file, dir.filePath(QLatin1String(c.namedFile))) << c.what;
        EXPECT_TRUE(cell.error().reason.startsWith(QLatin1String(c.reason)))
            << c.what << ": " << cell.error().reason.toStdString();
    }
    const Result<S57Cell> missing = S57Cell::read(QStringLiteral("/nonexistent/CELL.000"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, QStringLiteral("/nonexistent/CELL.000"));
}

TEST(S57BadCell, ToolWritesNothingAndNamesTheFile)
{
    for (const BadCase& c : badCases()) {
        QTemporaryDir dir;
        put(dir.filePath("CELL.000"), c.cell);
        if (!c.update.isEmpty())
            put(dir.filePath("CELL.001"), c.update);
        // A good cell first in the list: the bad one after it still stops everything.
        const QString out = dir.filePath("CHARTDATA");
        QDir().mkpath(out);
        put(out + "/KEYWEST.HDR", "old header");
        QProcess tool;
        tool.start(QStringLiteral(KESMAR_CHARTBUILD_TOOL),
                   {"--name", "KEYWEST", "--out", out, "--s57", kCell, "--s57", dir.filePath("CELL.000")});
        ASSERT_TRUE(tool.waitForFinished(60000)) << c.what;
        EXPECT_NE(tool.exitCode(), 0) << c.what;
        const QString message = QString::fromUtf8(tool.readAllStandardError());
        EXPECT_TRUE(message.contains(dir.filePath(QLatin1String(c.namedFile)))) << c.what << ": " << message.toStdString();
        EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"KEYWEST.HDR"}) << c.what;
        QFile header(out + "/KEYWEST.HDR");
        ASSERT_TRUE(header.open(QIODevice::ReadOnly));
        EXPECT_EQ(header.readAll(), QByteArray("old header")) << c.what;
    }
}
