#include "ui/app/StartUpDialogs.h"

#include "ui/app/InstitutionNameDialog.h"
#include "ui/app/InstitutionSettingsScreen.h"
#include "ui/app/PasswordDialog.h"

namespace app {

QString StartUpDialogs::askPassword()
{
    PasswordDialog dialog(m_parent);
    dialog.exec();
    return dialog.password();
}

void StartUpDialogs::askInstitutionName()
{
    InstitutionNameDialog dialog(m_parent);
    dialog.exec();
}

void StartUpDialogs::showFirstRunSettings()
{
    InstitutionSettingsScreen dialog(true, m_parent);
    dialog.exec();
}

} // namespace app
