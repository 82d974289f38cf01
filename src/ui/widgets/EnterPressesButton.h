#pragma once

#include <QObject>

namespace widgets {

// Enter (or Return) on a focused push button or tool button presses it, in
// the main window as in every dialog, as the user of a business program
// expects; Qt alone presses only a dialog's default button.
class EnterPressesButton : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace widgets
