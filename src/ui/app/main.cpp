// zoravin: the desktop program. It runs in its installation folder, the
// current folder when it starts.
#include "masters/DataModule.h"
#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"
#include "ui/widgets/MessageBox.h"

#include <QDir>
#include <QTimer>
#include <cstdio>

namespace {

bool hasDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#endif
}

} // namespace

int main(int argc, char** argv)
{
    // Started somewhere else than an installation folder (typically from the
    // build folder): say how to get one, on the terminal and, when there is
    // a display, in a box.
    const QString notInstalled = app::Application::notAnInstallationMessage(QDir::currentPath());
    if (!notInstalled.isEmpty()) {
        std::fprintf(stderr, "%s\n", notInstalled.toLocal8Bit().constData());
        if (hasDisplay()) {
            app::Application application(argc, argv);
            widgets::showMessage(nullptr, QMessageBox::Information, notInstalled);
        }
        return 2;
    }

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
