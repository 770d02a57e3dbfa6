#include "core/FileUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kesmar;

TEST(FileUtil, AtomicWriteReplacesAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CHART.CFG");
    ASSERT_TRUE(writeFileAtomically(path, "old").ok());
    ASSERT_TRUE(writeFileAtomically(path, "new contents").ok());
    EXPECT_EQ(readWholeFile(path).value(), QByteArray("new contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(FileUtil, AtomicWriteIntoMissingFolderFailsAndSaysWhy)
{
    QTemporaryDir dir;
    const Status written = writeFileAtomically(dir.filePath("nope/CHART.CFG"), "x");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().file, dir.filePath("nope/CHART.CFG"));
    EXPECT_FALSE(written.error().reason.isEmpty());
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

// Paths that exist but cannot be read as a file: a folder (so the case holds
// for root too, which reads every file) and, for other users, a file without
// read permission. Neither may be replaced.
TEST(FileUtil, AnExistingFileThatCannotBeReadIsNeverReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("KMR.INI"));
    EXPECT_FALSE(writeFileAtomically(dir.filePath("KMR.INI"), "[MAP]\r\n").ok());
    EXPECT_TRUE(QFileInfo(dir.filePath("KMR.INI")).isDir());
    EXPECT_FALSE(readWholeFile(dir.filePath("KMR.INI")).has_value());

    const QString path = dir.filePath("CHART.CFG");
    ASSERT_TRUE(writeFileAtomically(path, "user settings").ok());
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    // Root opens it all the same: then it is readable and is replaced.
    const bool readable = QFile(path).open(QIODevice::ReadOnly);
    EXPECT_EQ(writeFileAtomically(path, "defaults").ok(), readable);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readWholeFile(path).value(), QByteArray(readable ? "defaults" : "user settings"));
}
