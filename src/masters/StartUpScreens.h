#pragma once

#include <QString>

namespace masters {

// The screens that start-up shows besides its messages. The program opens
// the real dialogs; tests answer in their place.
class StartUpScreens {
public:
    virtual ~StartUpScreens() = default;
    // The user password prompt; what its edit held when it closed.
    virtual QString askPassword() = 0;
    // The institution-name dialog, which cannot be left without a name and
    // stores it in the settings row itself.
    virtual void askInstitutionName() = 0;
    // The initial settings screen of a first run, with the institution name
    // shown grey, read-only and out of the Tab order.
    virtual void showFirstRunSettings() = 0;
};

} // namespace masters
