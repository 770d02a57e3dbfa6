#include "ChartFileSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using kesmar::chartbuild::ChartFileSet;

namespace {

using Files = std::map<QString, QByteArray>;

void put(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every plain file of the folder with its contents.
Files filesOf(const QDir& dir)
{
    Files files;
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
}

// The old set of a chart with points; the new one has none.
const Files kOldSet = {{"X.HDR", "old hdr"}, {"X.WPN", "old wpn"}, {"X.LIN", "old lin"},
                       {"x.bwp", "old bwp"}, {"X.BPT", "old bpt"}};

ChartFileSet newSet(const QDir& dir)
{
    ChartFileSet set;
    set.write(dir.filePath("X.HDR"), "new hdr");
    set.write(dir.filePath("X.WPN"), "new wpn");
    set.write(dir.filePath("X.LIN"), "new lin");
    set.remove(dir.filePath("X.BWP"));
    set.remove(dir.filePath("X.BPT"));
    return set;
}

} // namespace

TEST(ChartFileSet, ReplacesTheSetAndRemovesOldPointFilesOfAnyCase)
{
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    for (const auto& [name, bytes] : kOldSet)
        put(dir, name, bytes);
    const kesmar::Status status = newSet(dir).commit();
    ASSERT_TRUE(status) << status.error().describe().toStdString();
    const Files expected = {{"X.HDR", "new hdr"}, {"X.WPN", "new wpn"}, {"X.LIN", "new lin"}};
    EXPECT_EQ(filesOf(dir), expected);
}

// One obstacle per row, each at another step of the commit: the old set must
// stay whole and no temporary may be left.
TEST(ChartFileSet, AFailureLeavesTheOldSetWhole)
{
    const std::pair<const char*, std::function<void(const QDir&)>> rows[] = {
        // The new .WPN cannot be written after the .HDR was.
        {"temporary of the second file", [](const QDir& d) { d.mkdir("X.WPN.new"); }},
        // The old point file cannot be moved out of the way.
        {"old point file stays", [](const QDir& d) { d.mkpath("x.bwp.old/inside"); }},
    };
    for (const auto& [name, obstacle] : rows) {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        for (const auto& [file, bytes] : kOldSet)
            put(dir, file, bytes);
        obstacle(dir);
        EXPECT_FALSE(newSet(dir).commit()) << name;
        EXPECT_EQ(filesOf(dir), kOldSet) << name;
    }
}

// What a killed commit can leave, one moment per row; the next commit must
// give exactly the new set with nothing left over.
TEST(ChartFileSet, TheNextCommitFinishesWhatAKilledOneLeft)
{
    const std::pair<const char*, Files> rows[] = {
        {"killed while writing the new files",
         {{"X.HDR", "old hdr"}, {"X.WPN", "old wpn"}, {"X.LIN", "old lin"}, {"x.bwp", "old bwp"},
          {"X.BPT", "old bpt"}, {"X.HDR.new", "new hdr"}, {"X.WPN.new", "new w"}}},
        {"killed after moving the old .HDR aside",
         {{"X.HDR.old", "old hdr"}, {"X.WPN", "old wpn"}, {"X.LIN", "old lin"}, {"x.bwp", "old bwp"},
          {"X.BPT", "old bpt"}, {"X.HDR.new", "new hdr"}, {"X.WPN.new", "new wpn"}, {"X.LIN.new", "new lin"},
          {"X.commit", ""}}},
        {"killed before deleting the old point files",
         {{"X.HDR", "new hdr"}, {"X.WPN", "new wpn"}, {"X.LIN", "new lin"}, {"x.bwp.old", "old bwp"},
          {"X.BPT.old", "old bpt"}, {"X.commit", ""}}},
    };
    for (const auto& [name, left] : rows) {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        for (const auto& [file, bytes] : left)
            put(dir, file, bytes);
        const kesmar::Status status = newSet(dir).commit();
        ASSERT_TRUE(status) << name;
        const Files expected = {{"X.HDR", "new hdr"}, {"X.WPN", "new wpn"}, {"X.LIN", "new lin"}};
        EXPECT_EQ(filesOf(dir), expected) << name;
    }
}
