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

TEST(FileUtil, AnExistingFileThatCannotBeReadIsNeverReplaced)
{
    QTemporaryDir dir;
    // A folder where the file should be: there, but not readable as a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath("KMR.INI"));
    EXPECT_FALSE(writeFileAtomically(dir.filePath("KMR.INI"), "[MAP]\r\n").ok());
    EXPECT_TRUE(QFileInfo(dir.filePath("KMR.INI")).isDir());

    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file; the permission case needs another user";
    const QString path = dir.filePath("CHART.CFG");
    ASSERT_TRUE(writeFileAtomically(path, "user settings").ok());
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_FALSE(writeFileAtomically(path, "defaults").ok());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readWholeFile(path).value(), QByteArray("user settings"));
}
