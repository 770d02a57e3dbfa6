#pragma once
#include <QGuiApplication>

namespace kesmar::test {

// The one QGuiApplication of a test executable without widgets: texts and
// fonts need its font database. Created on first use, offscreen by default.
inline QGuiApplication& guiTestApplication()
{
    static int argc = 1;
    static char name[] = "kesmar-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    return *qGuiApp;
}

} // namespace kesmar::test
