#include "core/FileUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

TEST(FileUtil, AtomicWriteReplacesAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CHART.CFG");
    ASSERT_TRUE(writeFileAtomically(path, "old").isEmpty());
    ASSERT_TRUE(writeFileAtomically(path, "new contents").isEmpty());
    EXPECT_EQ(readWholeFile(path).value(), QByteArray("new contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(FileUtil, AtomicWriteIntoMissingFolderFailsAndSaysWhy)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeFileAtomically(dir.filePath("nope/CHART.CFG"), "x").isEmpty());
}

TEST(FileUtil, ProgramPathMatchesEachComponentIgnoringCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("ChartData"));
    QFile f(dir.filePath("ChartData/worldmap.lin"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(programPath(dir.path(), "CHARTDATA\\WORLDMAP.LIN"), dir.filePath("ChartData/worldmap.lin"));
    EXPECT_EQ(programPath(dir.path(), "CHARTDATA/EUROPA.LIN"), dir.filePath("ChartData/EUROPA.LIN"));
    EXPECT_FALSE(readWholeFile(dir.filePath("missing")).has_value());
}
