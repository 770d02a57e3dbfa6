#include "app/CKesmarApp.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesmar"));

    kesmar::SingleInstance instance(QStringLiteral("Kesmar"));
    if (!instance.tryBecomePrimary())
        return 0; // the running plotter comes to the front instead

    // Before the start-up: a SIGTERM during it then ends the program through
    // the event loop, with the saves, instead of killing it.
    kesmar::TerminationSignals termination;
    QObject::connect(&termination, &kesmar::TerminationSignals::terminationRequested, &application,
                     &QApplication::quit);
    kesmar::CKesmarApp app;
    QObject::connect(&instance, &kesmar::SingleInstance::raiseRequested, [&app] { app.raiseMainWindow(); });
    if (!app.InitInstance())
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
