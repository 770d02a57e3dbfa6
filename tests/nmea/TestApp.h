#pragma once
#include <QApplication>

// One QApplication for the whole test executable (the slot needs an event
// loop, the panel needs widgets); created on first use.
inline QCoreApplication* testApp()
{
    static int argc = 1;
    static char name[] = "test_nmea";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return QCoreApplication::instance();
}
