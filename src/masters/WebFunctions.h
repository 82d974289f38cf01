#pragma once

#include <QString>
#include <QStringList>

namespace store {
class Platform;
class Prompter;
} // namespace store

namespace masters {

// What the main window does once a web function has run.
enum class WebOutcome {
    KeepRunning,
    CloseMainWindow // the update program was started and replaces the program file
};

// The three buttons of the main menu's web panel: the maker's homepage, the
// update program and the remote-support tool. Files come from the configured
// download server (store::Download), are written to the installation folder
// and started through the Platform; questions and messages go through the
// Prompter. Downloads run on the calling thread and return when they end.
class WebFunctions {
public:
    WebFunctions(store::Prompter& prompter, store::Platform& platform, QString installFolder);

    static QString updateQuestion();
    static QString updateFailedMessage();
    static QString remoteMaintenanceQuestion();
    static QString remoteToolNotDownloadedMessage();
    static QString remoteToolNotStartedMessage();

    // The server's root; what the homepage button opens.
    static QString homepageAddress();
    // The address of the new program file, which the update program fetches.
    static QString newProgramAddress();
    // What the update program is started with: that address, then an empty
    // argument.
    static QStringList updateArguments();

    QString updateProgramPath() const;
    QString remoteToolPath() const;

    // Opens the homepage in the browser; a failure is not reported.
    void openHomepage();
    // Asks, downloads "dload.exe", starts it; CloseMainWindow only when it
    // started.
    WebOutcome runUpdate();
    // Asks, downloads "TeamViewerQS.exe", starts it; the program keeps running.
    void runRemoteMaintenance();

private:
    store::Prompter& m_prompter;
    store::Platform& m_platform;
    QString m_installFolder;
};

} // namespace masters
