// zoravin: the desktop program. It runs in its installation folder, the
// current folder when it starts.
#include "masters/DataModule.h"
#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"

#include <QTimer>

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    masters::DataModule dm;
    app::MainWindow mainWindow;
    QObject::connect(&mainWindow, &app::MainWindow::applicationEnded, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    mainWindow.show();
    mainWindow.activateWindow();
    // Some desktops never activate a new window by themselves; the checks
    // that already ran repeat harmlessly.
    QTimer::singleShot(0, &mainWindow, &app::MainWindow::runActivationChecks);
    return application.exec();
}
