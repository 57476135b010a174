// A window of the end-to-end tests that stands for the user's work: it appends the virtual-key code
// of every key pressed while it has the keyboard to keys.txt in the current folder.
#include <windows.h>

#include <cstdio>

static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (FILE* keys = std::fopen("keys.txt", "a")) {
        std::fprintf(keys, "%02X\n", unsigned(wParam));
        std::fclose(keys);
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"KeyRecorder";
    RegisterClassW(&windowClass);
    CreateWindowW(L"KeyRecorder", L"Key recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320,
                  200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
