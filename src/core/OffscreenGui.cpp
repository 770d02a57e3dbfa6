#include "core/OffscreenGui.h"

#include <QtGlobal>
#include <QString>

#include <cstdio>

namespace kesmar {
namespace {

QtMessageHandler g_qtHandler = nullptr;

void withoutRuntimeFolderNoise(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("QStandardPaths: ")) && text.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (g_qtHandler)
        g_qtHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

void prepareOffscreenGui()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(withoutRuntimeFolderNoise);
}

} // namespace kesmar
