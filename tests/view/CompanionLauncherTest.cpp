#include "core/IniFile.h"
#include "view/CompanionLauncher.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

struct Started {
    QString program;
    QStringList arguments;
    QString directory;
};

class LauncherFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void touch(const QString& name)
    {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    CompanionLauncher launcher(const IniFile* settings = nullptr)
    {
        CompanionLauncher l(dir.path(), settings);
        l.setStarter([this](const QString& program, const QStringList& arguments, const QString& directory) {
            started.push_back({program, arguments, directory});
            return true;
        });
        l.setOpener([this](const QUrl& url) {
            opened.push_back(url);
            return openerWorks;
        });
        return l;
    }

    QTemporaryDir dir;
    std::vector<Started> started;
    std::vector<QUrl> opened;
    bool openerWorks = true;
};

TEST_F(LauncherFixture, FindsProgramsIgnoringCaseWithOrWithoutExe)
{
    touch("QRXMENU.EXE");
    touch("qrxsynv");
    EXPECT_EQ(QFileInfo(CompanionLauncher::findProgram(dir.path(), "qrxmenu")).fileName(), "QRXMENU.EXE");
    EXPECT_EQ(QFileInfo(CompanionLauncher::findProgram(dir.path(), "qrxsynv")).fileName(), "qrxsynv");
    EXPECT_TRUE(CompanionLauncher::findProgram(dir.path(), "Dravix").isEmpty());

    auto l = launcher();
    EXPECT_TRUE(l.launch(CompanionLauncher::kWeatherTerminal));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(QFileInfo(started[0].program).fileName(), "QRXMENU.EXE");
    EXPECT_TRUE(started[0].arguments.isEmpty());
    EXPECT_EQ(started[0].directory, dir.path());
}

TEST_F(LauncherFixture, MissingProgramStartsNothing)
{
    auto l = launcher();
    EXPECT_FALSE(l.launch(CompanionLauncher::kSynopViewer));
    EXPECT_TRUE(started.empty());
}

TEST_F(LauncherFixture, ProgramsSectionNamesAnotherCommand)
{
    const IniFile ini = IniFile::fromBytes("[Programs]\r\nqrxsynv=wine \"my dir/QRXSYNV.EXE\" -x\r\n");
    auto l = launcher(&ini);
    EXPECT_TRUE(l.launch(CompanionLauncher::kSynopViewer));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, "wine");
    EXPECT_EQ(started[0].arguments, (QStringList{"my dir/QRXSYNV.EXE", "-x"}));
    EXPECT_EQ(started[0].directory, dir.path());
}

TEST_F(LauncherFixture, HelpWithDesktopViewerThenFallback)
{
    touch("kesmarhelp.RTF");
    touch("DRAVIX.EXE");
    auto l = launcher();
    EXPECT_TRUE(l.openHelp());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(QFileInfo(opened[0].toLocalFile()).fileName(), "kesmarhelp.RTF");
    EXPECT_TRUE(started.empty());

    openerWorks = false;
    EXPECT_TRUE(l.openHelp());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(QFileInfo(started[0].program).fileName(), "DRAVIX.EXE");
    ASSERT_EQ(started[0].arguments.size(), 1);
    EXPECT_EQ(QFileInfo(started[0].arguments[0]).fileName(), "kesmarhelp.RTF");
}

TEST_F(LauncherFixture, SynopViewerIsTheWeatherMapBesideThePlotter)
{
    QTemporaryDir tools;
    QFile viewer(QDir(tools.path()).filePath("kesmar-synview"));
    ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
    viewer.close();
    ASSERT_TRUE(viewer.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    touch("qrxsynv.exe");

    auto l = launcher();
    l.setToolFolders({tools.path()});
    EXPECT_TRUE(l.launchSynopViewer());
    EXPECT_TRUE(l.launchSynopViewer(1796644800u));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].program, viewer.fileName());
    EXPECT_TRUE(started[0].arguments.isEmpty());
    EXPECT_EQ(started[0].directory, dir.path());
    EXPECT_EQ(started[1].arguments, QStringList{"1796644800"});

    // Without the weather map a qrxsynv of the program folder is started.
    started.clear();
    QTemporaryDir empty;
    l.setToolFolders({empty.path()});
    const QString onPath = QStandardPaths::findExecutable("kesmar-synview");
    EXPECT_TRUE(l.launchSynopViewer(7u));
    ASSERT_EQ(started.size(), 1u);
    if (onPath.isEmpty()) {
        EXPECT_EQ(QFileInfo(started[0].program).fileName(), "qrxsynv.exe");
        EXPECT_EQ(started[0].arguments, QStringList{"7"});
    }
}

TEST_F(LauncherFixture, ConfiguredSynopViewerWins)
{
    const IniFile ini = IniFile::fromBytes("[Programs]\r\nqrxsynv=wine QRXSYNV.EXE\r\n");
    auto l = launcher(&ini);
    l.setToolFolders({dir.path()});
    EXPECT_TRUE(l.launchSynopViewer(42u));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, "wine");
    EXPECT_EQ(started[0].arguments, (QStringList{"QRXSYNV.EXE", "42"}));
}

} // namespace
} // namespace kesmar
