#pragma once

#include <windows.h>

#include <string_view>

#include "settings/AutostartStore.h"

namespace velunor {

// Programs that start at logon on Windows: a REG_SZ value under the machine's
// Software\Microsoft\Windows\CurrentVersion\Run, or under the user's when the machine's cannot be
// written (a user without administrator rights).
class RegistryAutostartStore : public AutostartStore {
public:
    // Written to the machine's key when possible, else to the user's; a value left in the user's
    // key would start the program a second time, so it goes once the machine's holds it.
    bool Register(std::string_view name, std::string_view command) override;
    // Removed from both; true when neither holds it afterwards (as far as they can be read).
    bool Unregister(std::string_view name) override;
};

}  // namespace velunor
