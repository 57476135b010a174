// A window of the end-to-end tests that writes the virtual-key code of every key pressed while it
// has the keyboard to the file named on its command line, one hexadecimal code a line, at once.
#include <windows.h>

#include <cstdio>

namespace {

FILE* g_keys = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        std::fprintf(g_keys, "%02X\n", unsigned(wParam));
        std::fflush(g_keys);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_keys = _wfopen(commandLine, L"w");
    if (g_keys == nullptr) {
        return 1;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"KeyRecorder";
    RegisterClassW(&windowClass);
    CreateWindowW(L"KeyRecorder", L"Key recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320,
                  200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::fclose(g_keys);
    return 0;
}
