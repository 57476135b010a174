#pragma once

#include <windows.h>

#include <string_view>

namespace velunor {

// One registry key held at a time, walked down one level per Open; the key it holds is closed
// when it is replaced or the object goes. Names and texts are UTF-8 and reach the registry as
// UTF-16, so any folder name is stored exactly.
class RegistryKey {
public:
    explicit RegistryKey(HKEY root) : m_key(root) {}
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens the sub-key of the held key with the given rights; on failure the held key stays.
    bool Open(std::string_view subKey, REGSAM access);
    // A REG_SZ value with its terminating zero.
    bool SetString(std::string_view name, std::string_view text);
    bool DeleteValue(std::string_view name);
    bool HasValue(std::string_view name) const;
    long Close();

private:
    HKEY m_key;
    bool m_owned = false;  // a root key is not ours to close
};

}  // namespace velunor
