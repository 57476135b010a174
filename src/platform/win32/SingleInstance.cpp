#include "SingleInstance.h"

#include <sddl.h>

#include <vector>

#include "base/InstanceName.h"
#include "platform/win32/WideText.h"

namespace velunor {
namespace {
constexpr int kWaitSteps = 50;
constexpr DWORD kWaitStepMs = 100;
// The running user's SID as text ("S-1-5-21-..."), or nothing.
std::string UserSid() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return {};
    }
    const UniqueHandle token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* text = nullptr;
    std::string sid;
    if (size > 0 && GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = Narrow(text);
        LocalFree(text);
    }
    return sid;
}

}  // namespace

std::wstring SingleInstance::NameFor(const std::string& programFolder) {
    std::wstring folder = Widen(programFolder);
    CharLowerBuffW(folder.data(), DWORD(folder.size()));
    return Widen(InstanceName(Narrow(folder), UserSid()));
}

// The last error is read right after the call: freeing the name could change it.
SingleInstance::SingleInstance(const std::wstring& name) : m_name(name) {
    const std::wstring mutexName = L"Local\\" + name;
    m_mutex.reset(CreateMutexW(nullptr, TRUE, mutexName.c_str()));
    const DWORD error = GetLastError();
    m_first = m_mutex && error != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
    if (m_first) {
        ReleaseMutex(m_mutex.get());
    }
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
