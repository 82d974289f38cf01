#pragma once

#include <QApplication>

namespace app {

// The program's application object. An error that a screen's handler does
// not catch is shown in an error box and ends that handler only; the
// program keeps running.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // What every run of the screens shares, the program's and the screen
    // tests' alike: the look, Qt's own texts (context menus, standard
    // buttons) in Japanese, and Enter on a focused button pressing it.
    // False when Qt's Japanese translations are not installed.
    static bool setUp(QApplication& app);

    // What to do when the program is started in a folder that is no
    // installation folder at all (neither its program file nor its settings
    // table is there); empty for an installation folder, whose faults
    // start-up reports itself.
    static QString notAnInstallationMessage(const QString& folder);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
