#pragma once
#include <QApplication>

// The one QApplication of test_view, created on first use. Every test file
// of this folder takes it from here: a second application object breaks Qt.
inline QApplication& viewTestApp()
{
    static int argc = 1;
    static char name[] = "test_view";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *qApp;
}
