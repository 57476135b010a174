#include "platform/win32/autostart/RegistryAutostartStore.h"

#include <array>

#include "platform/win32/autostart/RegistryKey.h"

namespace velunor {
namespace {

constexpr std::array<std::string_view, 5> kRunKeyPath = {"Software", "Microsoft", "Windows",
                                                         "CurrentVersion", "Run"};

// Walks down to the Run key one level at a time; false when a level cannot be opened.
bool OpenRunKey(RegistryKey& key, REGSAM access) {
    for (const std::string_view level : kRunKeyPath) {
        if (!key.Open(level, access)) {
            return false;
        }
    }
    return true;
}

bool WriteValue(HKEY root, std::string_view name, std::string_view command) {
    RegistryKey key(root);
    return OpenRunKey(key, KEY_ALL_ACCESS) && key.SetString(name, command);
}

// True when the root holds no such value afterwards. A key that cannot even be read holds none
// that this user's logon would be affected by any more than before.
bool RemoveValue(HKEY root, std::string_view name) {
    RegistryKey writable(root);
    if (OpenRunKey(writable, KEY_ALL_ACCESS)) {
        writable.DeleteValue(name);
        return !writable.HasValue(name);
    }
    RegistryKey readable(root);
    return !OpenRunKey(readable, KEY_QUERY_VALUE) || !readable.HasValue(name);
}

}  // namespace

bool RegistryAutostartStore::Register(std::string_view name, std::string_view command) {
    if (WriteValue(HKEY_LOCAL_MACHINE, name, command)) {
        RemoveValue(HKEY_CURRENT_USER, name);
        return true;
    }
    return WriteValue(HKEY_CURRENT_USER, name, command);
}

bool RegistryAutostartStore::Unregister(std::string_view name) {
    const bool machineClear = RemoveValue(HKEY_LOCAL_MACHINE, name);
    const bool userClear = RemoveValue(HKEY_CURRENT_USER, name);
    return machineClear && userClear;
}

}  // namespace velunor
