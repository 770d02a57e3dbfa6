#include "app/CKesmarApp.h"

#include "app/CMainFrame.h"
#include "app/WindowPlacement.h"
#include "core/FileUtil.h"
#include "view/CKesmarView.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

namespace kesmar {

CKesmarApp::CKesmarApp() : CKesmarApp(Options{}) {}

CKesmarApp::CKesmarApp(Options options) : options_(std::move(options))
{
    const QString folder = options_.programFolder.isEmpty() ? QDir::currentPath() : options_.programFolder;
    // cleanPath drops a trailing separator (except for the root itself).
    programFolder_ = QDir::cleanPath(folder);
}

CKesmarApp::~CKesmarApp()
{
    ExitInstance();
}

void CKesmarApp::showError(QWidget* parent, const QString& text) const
{
    if (options_.errorBox) {
        options_.errorBox(parent, text);
        return;
    }
    // Also on the terminal: what the box said stays for a bug report.
    qWarning("Kesmar: %s", qPrintable(text));
    QMessageBox::warning(parent, QStringLiteral("Kesmar"), text);
}

bool CKesmarApp::InitInstance()
{
    startupPhase_ = StartupPhase::BeforeViewStart;
    profile_ = IniFile(findFileNoCase(programFolder_, QStringLiteral("KMR.INI")));
    if (const Status loaded = profile_.load(); !loaded)
        qWarning("KMR.INI not read, the defaults apply: %s", qPrintable(loaded.error().describe()));
    settings_ = AppSettings::read(profile_);

    frame_ = std::make_unique<CMainFrame>(*this);
    // The window gets its stored placement before the view starts up, so the
    // view starts on its final size: the stored scale is minutes per pixel of
    // the window it was saved with, and a start-up on a provisional size
    // would zoom the restored view by the ratio of the two widths at every
    // start.
    const auto placement = WindowPlacement::parse(profile_.readString(u"Settings", u"WindowPos", QString()));
    if (placement)
        placement->apply(*frame_);
    else
        frame_->showMaximized();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    frame_->view().initialUpdate();
    frame_->update();

    const QString slotPath = options_.slotPath.isEmpty() ? NmeaSlot::defaultPath() : options_.slotPath;
    QString errorText;
    if (!nmeaSlot_.open(slotPath, &errorText)) {
        showError(frame_.get(), errorText);
        // The frame and the view save as at a normal end.
        ExitInstance();
        return false;
    }
    frame_->attachSlot(nmeaSlot_);
    return true;
}

void CKesmarApp::ExitInstance()
{
    if (exited_ || !frame_)
        return;
    exited_ = true;
    frame_->saveAtExit();
    frame_->hide();
    frame_.reset();
    nmeaSlot_.close();
}

void CKesmarApp::raiseMainWindow()
{
    if (!frame_)
        return;
    if (frame_->isMinimized())
        frame_->setWindowState(frame_->windowState() & ~Qt::WindowMinimized);
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}

bool CKesmarApp::writeProfileString(const QString& section, const QString& key, const QString& value)
{
    (void)profile_.load(); // a missing file is made by the save
    profile_.setValue(section, key, value);
    return profile_.save().ok();
}

} // namespace kesmar
