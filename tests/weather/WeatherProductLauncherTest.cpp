#include "weather/WeatherProductLauncher.h"

#include "core/IniFile.h"
#include "weather/WeatherProductList.h"

#include "BulletinTestSupport.h"

#include <QDir>
#include <QThread>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

struct Start {
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

class ProductLauncher : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::useUtc();
        launcher.setStarter([this](const QString& program, const QStringList& args, const QString& dir) {
            starts.push_back({program, args, dir});
            QDir::setCurrent(QDir::rootPath()); // as a started program might leave it
            return failing.contains(program) ? false : true;
        });
        launcher.setToolFolders({});
    }
    WeatherFileEntry entryNamed(const QString& name)
    {
        const auto list = WeatherProductList::build(folder.path());
        for (const auto& e : list.entries())
            if (e.name == name)
                return e;
        ADD_FAILURE() << "no entry " << name.toStdString();
        return {};
    }

    test::ProgramFolder folder;
    IniFile settings;
    WeatherProductLauncher launcher{folder.path(), &settings};
    std::vector<Start> starts;
    QStringList failing;
};

TEST_F(ProductLauncher, FaxImageGoesToTheDesktopViewerWithItsFullPath)
{
    folder.writeFax(QStringLiteral("FAX_2003_12_05_12_00.BMP"));
    const auto result = launcher.open(entryNamed(QStringLiteral("FAX_2003_12_05_12_00.BMP")));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(*result);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, QStringLiteral("xdg-open"));
    EXPECT_EQ(starts[0].arguments, QStringList{folder.file(QStringLiteral("FAX/FAX_2003_12_05_12_00.BMP"))});
    EXPECT_EQ(starts[0].workingDirectory, folder.path());
    EXPECT_EQ(QDir::current(), QDir(folder.path()));
}

TEST_F(ProductLauncher, ConfiguredFaxViewerGetsItsOwnArgumentsFirst)
{
    settings.setValue(u"Programs", u"qrxfaxv", QStringLiteral("faxview --fit \"two words\""));
    folder.writeFax(QStringLiteral("FAX_2003_12_05_12_00.BMP"));
    ASSERT_TRUE(launcher.open(entryNamed(QStringLiteral("FAX_2003_12_05_12_00.BMP"))).ok());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, QStringLiteral("faxview"));
    EXPECT_EQ(starts[0].arguments, (QStringList{QStringLiteral("--fit"), QStringLiteral("two words"),
                                                folder.file(QStringLiteral("FAX/FAX_2003_12_05_12_00.BMP"))}));
}

TEST_F(ProductLauncher, UndecodableFaxImageIsAnErrorAndStartsNothing)
{
    folder.write(QStringLiteral("FAX/FAX_2003_12_05_12_00.BMP"), QByteArray("BM\x10\x00garbage", 11));
    const auto result = launcher.open(entryNamed(QStringLiteral("FAX_2003_12_05_12_00.BMP")));
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().file.endsWith(QStringLiteral("FAX_2003_12_05_12_00.BMP")));
    EXPECT_TRUE(starts.empty());
}

TEST_F(ProductLauncher, TextBulletinFallsBackToTheViewerProgram)
{
    folder.writeBulletin(QStringLiteral("nord_2003_12_05_12_00.rtf"), {QStringLiteral("BULLETIN FOR THE NORTHSEA")});
    folder.write(QStringLiteral("DRAVIX.EXE"), "#!/bin/sh\n");
    QFile(folder.file(QStringLiteral("DRAVIX.EXE"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    failing << QStringLiteral("xdg-open");
    const auto result = launcher.open(entryNamed(QStringLiteral("NORD_2003_12_05_12_00.RTF")));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(*result);
    const QString path = folder.file(QStringLiteral("SYNOP/nord_2003_12_05_12_00.rtf"));
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].arguments, QStringList{path});
    EXPECT_EQ(starts[1].program, folder.file(QStringLiteral("DRAVIX.EXE")));
    EXPECT_EQ(starts[1].arguments, QStringList{path});
}

TEST_F(ProductLauncher, FaxNamedBulletinOpensAsTextFromSynop)
{
    settings.setValue(u"Programs", u"WordPad", QStringLiteral("mousepad"));
    folder.writeBulletin(QStringLiteral("FAX_2003_12_05_12_00.RTF"), {QStringLiteral("RADIOFAX SCHEDULE")});
    const WeatherFileEntry entry = entryNamed(QStringLiteral("FAX_2003_12_05_12_00.RTF"));
    EXPECT_EQ(entry.kind, WeatherKind::Fax);
    ASSERT_TRUE(launcher.open(entry).ok());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, QStringLiteral("mousepad"));
    EXPECT_EQ(starts[0].arguments, QStringList{folder.file(QStringLiteral("SYNOP/FAX_2003_12_05_12_00.RTF"))});
}

TEST_F(ProductLauncher, SynopGroupGoesToTheStationViewerWithItsTime)
{
    settings.setValue(u"Programs", u"QRXSYNV", QStringLiteral("bin/synview"));
    folder.writeStationFile({1070625600u});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    ASSERT_TRUE(launcher.open(list.entries()[0]).ok());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, QDir(folder.path()).filePath(QStringLiteral("bin/synview")));
    EXPECT_EQ(starts[0].arguments, QStringList{QStringLiteral("1070625600")});
}

TEST_F(ProductLauncher, SynopViewerFoundInTheToolFolders)
{
    folder.write(QStringLiteral("tools/kesmar-synview"), "#!/bin/sh\n");
    QFile(folder.file(QStringLiteral("tools/kesmar-synview")))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    launcher.setToolFolders({folder.file(QStringLiteral("tools"))});
    folder.writeStationFile({1070625600u});
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_TRUE(launcher.open(list.entries()[0]).ok());
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].program, folder.file(QStringLiteral("tools/kesmar-synview")));
    EXPECT_EQ(starts[0].arguments, QStringList{QStringLiteral("1070625600")});
}

TEST(ProductLauncherProcess, ArgumentsReachTheProgramWholeWithoutAShell)
{
    test::useUtc();
    test::ProgramFolder folder;
    // The viewer writes each argument it got on a line of its own.
    folder.write(QStringLiteral("viewer.sh"), "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >\"$0.out\"\n");
    QFile(folder.file(QStringLiteral("viewer.sh")))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString name = QStringLiteral("FAX_2003_12_05_12_00 $(touch x);y.BMP");
    folder.writeFax(name);
    IniFile settings;
    settings.setValue(u"Programs", u"qrxfaxv", QStringLiteral("./viewer.sh --fit"));
    const WeatherProductLauncher launcher(folder.path(), &settings); // the real QProcess start
    const auto list = WeatherProductList::build(folder.path());
    ASSERT_EQ(list.entries().size(), 1u);
    const auto started = launcher.open(list.entries()[0]);
    ASSERT_TRUE(started.ok());
    ASSERT_TRUE(*started);
    QFile out(folder.file(QStringLiteral("viewer.sh.out")));
    for (int i = 0; i < 100 && !(out.exists() && out.size() > 0); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(out.readAll()), QStringLiteral("--fit\n") + folder.file(QStringLiteral("FAX/")) + name + QStringLiteral("\n"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("x"))));
}

} // namespace
} // namespace kesmar
