// velunor-session-event lock|unlock: posts the session change to the running Velunor's hidden
// window (the one called Velunor that is no dialog) as Windows posts it to a registered window.
// Fails unless exactly one such window takes it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM found) {
    wchar_t title[16] = {};
    wchar_t windowClass[16] = {};
    GetWindowTextW(window, title, 16);
    GetClassNameW(window, windowClass, 16);
    if (wcscmp(title, L"Velunor") == 0 && wcscmp(windowClass, L"#32770") != 0) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    const bool lock = argc == 2 && std::strcmp(argv[1], "lock") == 0;
    if (argc != 2 || (!lock && std::strcmp(argv[1], "unlock") != 0)) {
        std::fprintf(stderr, "usage: velunor-session-event lock|unlock\n");
        return 2;
    }
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    if (windows.size() != 1) {
        std::fprintf(stderr, "found %zu Velunor windows, not one\n", windows.size());
        return 1;
    }
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const WPARAM code = lock ? WTS_SESSION_LOCK : WTS_SESSION_UNLOCK;
    return PostMessageW(windows.front(), WM_WTSSESSION_CHANGE, code, LPARAM(session)) ? 0 : 1;
}
