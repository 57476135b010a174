#pragma once

#include <map>
#include <string>
#include <string_view>

#include "settings/AutostartStore.h"

namespace velunor::test {

// Logon entries kept in memory; can be told to refuse every change, as a desktop whose autostart
// folder cannot be written would.
class FakeAutostartStore : public AutostartStore {
public:
    bool Register(std::string_view name, std::string_view command) override {
        ++changes;
        if (!failing) {
            entries[std::string(name)] = std::string(command);
        }
        return !failing;
    }
    bool Unregister(std::string_view name) override {
        ++changes;
        if (!failing) {
            entries.erase(std::string(name));
        }
        return !failing;
    }

    std::map<std::string, std::string> entries;  // name to command
    int changes = 0;
    bool failing = false;
};

}  // namespace velunor::test
