#include "platform/win32/autostart/RegistryKey.h"

#include <string>

#include "platform/win32/WideText.h"

namespace velunor {

bool RegistryKey::Open(std::string_view subKey, REGSAM access) {
    if (m_key == nullptr) {
        return false;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExW(m_key, Widen(subKey).c_str(), 0, access, &opened) != ERROR_SUCCESS) {
        return false;
    }
    Close();
    m_key = opened;
    m_owned = true;
    return true;
}

bool RegistryKey::SetString(std::string_view name, std::string_view text) {
    const std::wstring data = Widen(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return m_key != nullptr &&
           RegSetValueExW(m_key, Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(std::string_view name) {
    return m_key != nullptr && RegDeleteValueW(m_key, Widen(name).c_str()) == ERROR_SUCCESS;
}

bool RegistryKey::HasValue(std::string_view name) const {
    return m_key != nullptr && RegQueryValueExW(m_key, Widen(name).c_str(), nullptr, nullptr,
                                                nullptr, nullptr) == ERROR_SUCCESS;
}

long RegistryKey::Close() {
    if (!m_owned) {
        m_key = nullptr;
        return 0;
    }
    const long result = RegCloseKey(m_key);
    m_key = nullptr;
    m_owned = false;
    return result;
}

}  // namespace velunor
