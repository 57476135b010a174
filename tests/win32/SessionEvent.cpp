// velunor-session-event CODE: posts the session change CODE (7 locked, 8 unlocked) to the running
// Velunor's hidden window, as Windows posts it to a window registered for session changes;
// `click`: a click on its tray balloon, as the shell reports one to the icon's owner.
// clang-format off
#include <windows.h>
#include <shellapi.h>  // after windows.h, whose types it uses
// clang-format on

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const HWND window = FindWindowW(nullptr, L"Velunor");
    if (argc != 2 || window == nullptr) {
        return 1;
    }
    const bool click = std::strcmp(argv[1], "click") == 0;
    const bool posted = click ? PostMessageW(window, WM_USER + 1, 133, NIN_BALLOONUSERCLICK)
                              : PostMessageW(window, WM_WTSSESSION_CHANGE, std::atoi(argv[1]), 0);
    return posted ? 0 : 1;
}
