#include "weather/SynopTables.h"
#include "core/QtBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray stationBytes()
{
    StationEntry e;
    e.number = 10400;
    e.setName("DUESSELDORF");
    std::vector<uint8_t> bytes;
    e.appendTableForm(bytes);
    return toQByteArray(bytes);
}

// A program folder with all four tables; file names in mixed case, as they
// arrive from systems that ignore case.
void makeFolder(const QString& root)
{
    QDir(root).mkpath(QStringLiteral("Data"));
    writeFile(root + "/Data/WMOSTAT.DAT", stationBytes());
    writeFile(root + "/Data/desctt.dat", "SM Haupttermin\r\n");
    writeFile(root + "/Data/DESCAA.DAT", "DL Deutschland\r\n");
    writeFile(root + "/Data/SYNTXT.DAT", "RRMM Nachtraeglich\r\n");
}

} // namespace

TEST(SynopTables, LoadsAllFourTables)
{
    QTemporaryDir dir;
    makeFolder(dir.path());
    SynopTables tables;
    EXPECT_TRUE(tables.load(dir.path()).ok());
    EXPECT_TRUE(tables.isLoaded());
    StationEntry e;
    EXPECT_TRUE(tables.stations().findByNumber(10400, e));
    EXPECT_EQ(tables.ttTable().find("SM").value_or(""), "Haupttermin");
    EXPECT_EQ(tables.aaTable().find("DL").value_or(""), "Deutschland");
    EXPECT_EQ(tables.textTable().find("RRMM").value_or(""), "Nachtraeglich");
    tables.clear();
    EXPECT_FALSE(tables.isLoaded());
    EXPECT_EQ(tables.stations().size(), 0u);
}

TEST(SynopTables, MissingOrEmptyTableIsNamed)
{
    const std::pair<const char*, const char*> cases[] = {
        {"WMOSTAT.DAT", "DATA\\WMOSTAT.DAT"},
        {"desctt.dat", "DATA\\DESCTT.DAT"},
        {"DESCAA.DAT", "DATA\\DESCAA.DAT"},
        {"SYNTXT.DAT", "DATA\\SYNTXT.DAT"},
    };
    for (bool empty : {false, true}) {
        for (const auto& [file, shown] : cases) {
            QTemporaryDir dir;
            makeFolder(dir.path());
            const QString path = dir.path() + "/Data/" + file;
            if (empty)
                writeFile(path, "; nothing\r\n");
            else
                QFile::remove(path);
            SynopTables tables;
            const Status loaded = tables.load(dir.path());
            ASSERT_FALSE(loaded.ok()) << file;
            EXPECT_TRUE(loaded.error().file.endsWith(QLatin1String(shown).mid(5), Qt::CaseInsensitive))
                << qPrintable(loaded.error().describe());
            EXPECT_FALSE(tables.isLoaded());
        }
    }
}
