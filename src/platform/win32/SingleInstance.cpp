#include "SingleInstance.h"

namespace velunor {
namespace {
constexpr int kWaitSteps = 50;
constexpr DWORD kWaitStepMs = 100;
}  // namespace

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

void SingleInstance::HandOver(UINT message) const {
    for (int step = 0; step < kWaitSteps; ++step) {
        if (HWND running = FindWindowW(m_name.c_str(), nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(running, &process);
            // The dialog it opens may then come to the front, as this start was the user's.
            AllowSetForegroundWindow(process);
            PostMessageW(running, message, 0, 0);
            return;
        }
        Sleep(kWaitStepMs);
    }
}

}  // namespace velunor
