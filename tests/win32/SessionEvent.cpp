// velunor-session-event CODE: posts the session change CODE (7 locked, 8 unlocked) to the running
// Velunor's hidden window, as Windows posts it to a window registered for session changes.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    const HWND window = FindWindowW(nullptr, L"Velunor");
    const bool posted = argc == 2 && window != nullptr &&
                        PostMessageW(window, WM_WTSSESSION_CHANGE, std::atoi(argv[1]), 0);
    return posted ? 0 : 1;
}
