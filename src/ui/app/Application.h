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

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
