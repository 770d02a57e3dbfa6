#pragma once
#include <QApplication>

namespace kesmar::test {

// The one QApplication of a widget test executable, created on first use:
// a second application object breaks Qt, so every test file takes it from here.
inline QApplication& qtTestApplication()
{
    static int argc = 1;
    static char name[] = "kesmar-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *qApp;
}

} // namespace kesmar::test
