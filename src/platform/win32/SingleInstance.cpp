#include "SingleInstance.h"

#include <sddl.h>

#include <vector>

#include "base/InstanceName.h"
#include "platform/win32/dialogs/WideText.h"

namespace velunor {
namespace {
constexpr int kWaitSteps = 50;
constexpr DWORD kWaitStepMs = 100;
// The running user's SID as text ("S-1-5-21-..."), or nothing.
std::string UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* text = nullptr;
    std::string sid;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = Narrow(text);
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

}  // namespace

std::wstring SingleInstance::NameFor(const std::string& programFolder) {
    std::wstring folder = Widen(programFolder);
    CharLowerBuffW(folder.data(), DWORD(folder.size()));
    return Widen(InstanceName(Narrow(folder), UserSid()));
}

SingleInstance::SingleInstance(const std::wstring& name)
    : m_name(name),
      m_mutex(CreateMutexW(nullptr, TRUE, (L"Local\\" + name).c_str())),
      m_first(m_mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {}

SingleInstance::~SingleInstance() {
    if (m_mutex == nullptr) {
        return;
    }
    if (m_first) {
        ReleaseMutex(m_mutex);
    }
    CloseHandle(m_mutex);
}

HWND SingleInstance::RunningWindow() const {
    for (int step = 0; step < kWaitSteps; ++step) {
        if (HWND running = FindWindowW(m_name.c_str(), nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(running, &process);
            AllowSetForegroundWindow(process);
            return running;
        }
        Sleep(kWaitStepMs);
    }
    return nullptr;
}

}  // namespace velunor
