#pragma once

#include <string_view>

namespace velunor {

// Where the desktop keeps the programs that start at logon.
class AutostartStore {
public:
    virtual ~AutostartStore() = default;
    // Registers (or replaces) the entry name with the command; true on success.
    virtual bool Register(std::string_view name, std::string_view command) = 0;
    // Removes the entry name; true when no such entry is left, also when there was none, so that
    // turning autostart off twice is no failure.
    virtual bool Unregister(std::string_view name) = 0;
};

}  // namespace velunor
