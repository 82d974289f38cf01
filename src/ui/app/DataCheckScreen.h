#pragma once

#include "ui/widgets/ModalScreen.h"

class QPushButton;

namespace store {
class Prompter;
class Session;
} // namespace store

namespace app {

// The screen "データテーブルの再構成" of the support menu: what the data
// check does, the warning to take a backup first, and the button that runs
// menu::DataCheck. It closes after a completed run and is otherwise left
// through its system box.
class DataCheckScreen : public widgets::ModalScreen {
    Q_OBJECT
public:
    DataCheckScreen(store::Session& session, store::Prompter& prompter, QWidget* parent = nullptr);

    QPushButton* runButton() const { return m_run; }

    static QString explanation();
    static QString backupWarning();

private:
    void runCheck();

    store::Session& m_session;
    store::Prompter& m_prompter;
    QPushButton* m_run;
};

} // namespace app
