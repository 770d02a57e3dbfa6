#include "core/OffscreenGui.h"

#include <QStringList>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

QStringList g_seen;

void capture(QtMsgType, const QMessageLogContext&, const QString& text) { g_seen.append(text); }

// Only the runtime-folder complaint is dropped; every other message still
// reaches the handler that was there before.
TEST(OffscreenGui, DropsOnlyTheRuntimeFolderNoise)
{
    const QtMessageHandler before = qInstallMessageHandler(capture);
    kesmar::prepareOffscreenGui();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'");
    qWarning("QStandardPaths: wrong permissions on runtime directory /run/user/0");
    qWarning("Kesmar: XDG_RUNTIME_DIR is missing");
    qInstallMessageHandler(before);
    EXPECT_EQ(g_seen, (QStringList{"QStandardPaths: wrong permissions on runtime directory /run/user/0",
                                   "Kesmar: XDG_RUNTIME_DIR is missing"}));
}

} // namespace
