#include "ui/app/StartUpDialogs.h"

#include "ui/app/THEAD1.h"
#include "ui/app/TInstitutionName.h"
#include "ui/app/TPW.h"

namespace app {

QString StartUpDialogs::askPassword()
{
    TPW dialog(m_parent);
    dialog.exec();
    return dialog.password();
}

void StartUpDialogs::askInstitutionName()
{
    TInstitutionName dialog(m_parent);
    dialog.exec();
}

void StartUpDialogs::showFirstRunSettings()
{
    THEAD1 dialog(true, m_parent);
    dialog.exec();
}

} // namespace app
