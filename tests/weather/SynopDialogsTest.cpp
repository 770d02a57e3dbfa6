#include "ScriptedHttpServer.h"
#include "SynopTestSupport.h"
#include "support/QtTestApplication.h"

#include "weather/SynopConversion.h"
#include "weather/ui/CSynopConvertDlg.h"
#include "weather/ui/CSynopDownloadDlg.h"
#include "weather/ui/SynopCommands.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QNetworkProxy>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QThread>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace kesmar;
using namespace kesmar::test;

namespace {

// Serves the event loop until `done` holds or five seconds pass.
bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class SynopDialogsTest : public SynopFolderTest {
protected:
    void SetUp() override
    {
        qtTestApplication();
        SynopFolderTest::SetUp();
    }
    QString hourName(int i) const
    {
        const std::tm f = SynopTimeWindow::localFields(window().hourTime(i));
        return SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour);
    }
    void writeHourFile(int i, const std::string& text)
    {
        QFile file(dir.filePath(QStringLiteral("SYNOP/") + hourName(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    static std::string reports(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += std::to_string(10400 + i % 2) + " 41580 82710 10" + std::to_string(100 + i % 90).substr(1)
                + " 20011=\r\r\n";
        return text;
    }
    // The dialog shown, as exec() would, without blocking the test.
    static void open(QDialog& dialog)
    {
        dialog.setModal(false);
        dialog.show();
    }
};

TEST_F(SynopDialogsTest, ConvertDialogTextsBeforeOk)
{
    CSynopConvertDlg dialog(folder(), tables, QStringLiteral("wx.example"));
    EXPECT_EQ(dialog.windowTitle(), "Convert WMO-Internetfiles  ");
    EXPECT_EQ(dialog.stateLine()->text(), "PRESS OK FOR START");
    EXPECT_EQ(dialog.serverLine()->text(), "CONVERT wx.example - Files");
    EXPECT_EQ(dialog.okButton()->text(), "OK");
    EXPECT_EQ(dialog.cancelButton()->text(), "Abbrechen");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(SynopDialogsTest, ConvertDialogWithAnEmptyWindowClosesRightAfterOk)
{
    CSynopConvertDlg dialog(folder(), tables, QStringLiteral("wx.example"));
    dialog.setTimeWindow(window());
    open(dialog);
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.stateLine()->text(), "CHECK EXIST");
    EXPECT_EQ(dialog.fileGroup()->title(), "Test: Synop-Data 17.1.2023 14:00");
    EXPECT_EQ(dialog.totalGroup()->title(), "Load Max 0 Byte Synop-Data");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST_F(SynopDialogsTest, ConvertDialogListsAZeroByteFileAndConvertsTheRest)
{
    writeHourFile(10, "");
    const std::string text = bulletin(reports(3));
    writeHourFile(70, text);
    CSynopConvertDlg dialog(folder(), tables, QStringLiteral("wx.example"));
    dialog.setTimeWindow(window());
    open(dialog);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.totalGroup()->title(), QStringLiteral("Load Max %1 Byte Synop-Data").arg(text.size()));
    EXPECT_EQ(dialog.conversion().files().size(), 2u);
    ASSERT_TRUE(waitFor([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.conversion().status(), SynopConversion::Status::Finished);
    EXPECT_EQ(readStationFile(stationFile()).size(), 2u) << "one report per station survives";
    EXPECT_EQ(dialog.totalBar()->value(), 100);
}

TEST_F(SynopDialogsTest, ConvertDialogCancelledInTheMiddleKeepsTheRecordsAndLeavesNoTmp)
{
    writeHourFile(70, bulletin(reports(400)));
    // The Cancel button, and the window's close box.
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        QFile::remove(stationFile());
        CSynopConvertDlg dialog(folder(), tables, QStringLiteral("wx.example"));
        dialog.setTimeWindow(window());
        dialog.setSlices(0, 5);
        open(dialog);
        dialog.okButton()->click();
        EXPECT_EQ(dialog.stateLine()->text(), "CONVERTING");
        ASSERT_TRUE(waitFor([&] { return dialog.fileBar()->value() >= 10; }));
        EXPECT_LT(dialog.fileBar()->value(), 100);
        if (closeBox)
            dialog.close();
        else
            dialog.cancelButton()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 2);
        EXPECT_EQ(dialog.conversion().status(), SynopConversion::Status::Cancelled);
        const size_t kept = readStationFile(stationFile()).size();
        EXPECT_GT(kept, 0u);
        EXPECT_LT(kept, 400u);
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("SYNOP/STATION.TMP")));
    }
}

TEST_F(SynopDialogsTest, ConvertCommandNamesTheTableThatFailsToLoad)
{
    QWidget window;
    SynopCommands commands(folder(), SynopDownloadSettings{}, &window);
    QStringList messages;
    commands.setMessageHandler([&](QWidget*, const QString& text) { messages << text; });
    EXPECT_EQ(commands.convert(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QLatin1String("WMOSTAT.DAT"))) << messages[0].toStdString();
}

class SynopDownloadDialogTest : public SynopDialogsTest {
protected:
    std::unique_ptr<CSynopDownloadDlg> makeDialog(const QString& baseUrl)
    {
        settings.synopBaseUrl = baseUrl;
        settings.dialCommand = QStringLiteral("touch %1").arg(marks.filePath("dialled"));
        settings.hangUpCommand = QStringLiteral("touch %1").arg(marks.filePath("hungup"));
        connection = std::make_unique<DialupConnection>(settings);
        connection->setProbe([this] { return online; });
        auto dialog = std::make_unique<CSynopDownloadDlg>(folder(), settings, *connection);
        dialog->setTimeWindow(window());
        dialog->engine().setProxy(QNetworkProxy::NoProxy);
        dialog->engine().setStallTimeout(5000);
        dialog->setMessageHandler([this](QWidget*, const QString& text) { messages << text; });
        return dialog;
    }
    QByteArray readLocal(const QString& name) const
    {
        QFile file(dir.filePath(QStringLiteral("SYNOP/") + name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    SynopDownloadSettings settings;
    std::unique_ptr<DialupConnection> connection;
    QTemporaryDir marks;
    bool online = true;
    QStringList messages;
};

TEST_F(SynopDownloadDialogTest, NothingNewClosesRightAfterTheCheck)
{
    ScriptedHttpServer server;
    auto dialog = makeDialog(server.baseUrl());
    EXPECT_EQ(dialog->windowTitle(), "Load Internetfiles - Please ! First connect the Internet");
    EXPECT_EQ(dialog->serverLine()->text(), "LOAD 127.0.0.1");
    EXPECT_EQ(dialog->stateLine()->text(), "PRESS OK FOR START");
    open(*dialog);
    dialog->okButton()->click();
    ASSERT_TRUE(waitFor([&] { return !dialog->isVisible(); }));
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(dialog->stateLine()->text(), "CHECK FOR NEW DATA");
    EXPECT_EQ(dialog->fileGroup()->title(), "Internet test: Synop-Data 17.1.2023 14:00");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(marks.filePath("dialled")));
}

TEST_F(SynopDownloadDialogTest, CancelWhileLoadingKeepsThePartAndHangsUpWhatWasDialled)
{
    ScriptedHttpServer server;
    QByteArray body(50000, 'x');
    server.setFile(hourName(72), ScriptedFile{.body = body, .sendOnly = 20000, .stall = true});
    online = false;
    auto dialog = makeDialog(server.baseUrl());
    open(*dialog);
    dialog->okButton()->click();
    // The bar also passes 40 while the hours are checked.
    ASSERT_TRUE(waitFor([&] { return dialog->stateLine()->text() == "LOADING" && dialog->fileBar()->value() == 40; }));
    EXPECT_TRUE(QFileInfo::exists(marks.filePath("dialled")));
    EXPECT_EQ(dialog->stateLine()->text(), "LOADING");
    EXPECT_EQ(dialog->fileGroup()->title(), "Internet load: 50000 Byte Synop-Data 17.1.2023 14:00");
    EXPECT_EQ(dialog->totalGroup()->title(), "Load Max 50000 Byte Synop-Data");
    EXPECT_EQ(dialog->totalBar()->value(), 40);
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 2);
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(marks.filePath("hungup")); }));
    EXPECT_EQ(readLocal(hourName(72)), body.left(20000));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SynopDownloadDialogTest, FailuresAreToldInOneMessage)
{
    struct Row {
        const char* what;
        bool reachable;
        const char* expectedInMessage;
    };
    for (const Row& row : {Row{"server unreachable", false, ""}, Row{"file cut short", true, "_syn.wmo: "}}) {
        SCOPED_TRACE(row.what);
        messages.clear();
        ScriptedHttpServer server;
        server.setFile(hourName(72), ScriptedFile{.body = QByteArray(9000, 'y'), .sendOnly = 100});
        QString base = server.baseUrl();
        if (!row.reachable) {
            QTcpServer probe;
            ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
            base = QStringLiteral("http://127.0.0.1:%1/syn").arg(probe.serverPort());
        }
        auto dialog = makeDialog(base);
        open(*dialog);
        dialog->okButton()->click();
        ASSERT_TRUE(waitFor([&] { return !dialog->isVisible(); }));
        EXPECT_EQ(dialog->result(), 1);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_FALSE(messages[0].isEmpty());
        EXPECT_TRUE(messages[0].contains(QLatin1String(row.expectedInMessage))) << messages[0].toStdString();
    }
}

} // namespace
