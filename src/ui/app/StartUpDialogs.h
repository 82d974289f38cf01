#pragma once

#include "masters/StartUpScreens.h"

class QWidget;

namespace app {

// The real screens of start-up: the password prompt, the institution-name
// dialog and the first-run settings screen, each modal over the main window.
class StartUpDialogs : public masters::StartUpScreens {
public:
    explicit StartUpDialogs(QWidget* parent) : m_parent(parent) {}

    QString askPassword() override;
    void askInstitutionName() override;
    void showFirstRunSettings() override;

private:
    QWidget* m_parent;
};

} // namespace app
