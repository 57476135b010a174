#include "MonitorCovers.h"

#include <imm.h>

#include <utility>

#include "render/CoverLayout.h"

namespace velunor {
namespace {

constexpr wchar_t kClassName[] = L"Velunor.MonitorCover";

struct Monitors {
    std::vector<Rect> all;
    Rect primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        auto* monitors = reinterpret_cast<Monitors*>(data);
        const RECT& r = info.rcMonitor;
        const Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
        monitors->all.push_back(rect);
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            monitors->primary = rect;
        }
    }
    return TRUE;
}

void RegisterCoverClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

MonitorCovers::MonitorCovers() {
    RegisterCoverClass(Procedure);
}

void MonitorCovers::Show(HWND breakWindow) {
    Hide();
    m_breakWindow = breakWindow;
    Monitors monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    for (const Rect& cover : CoverLayout::Covers(monitors.all, monitors.primary)) {
        HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"velunor",
                                      WS_POPUP, cover.x, cover.y, cover.width, cover.height,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), this);
        if (window != nullptr) {
            ImmAssociateContextEx(window, nullptr, 0);  // no input method over a break
            ShowWindow(window, SW_SHOWNOACTIVATE);
            m_covers.push_back(window);
        }
    }
}

// The break may end inside a cover's own key message; a window may be destroyed from its own
// window procedure.
void MonitorCovers::Hide() {
    for (HWND window : std::exchange(m_covers, {})) {
        DestroyWindow(window);
    }
}

LRESULT CALLBACK MonitorCovers::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MonitorCovers*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && (message == WM_KEYDOWN || message == WM_CLOSE)) {
        return SendMessageW(self->m_breakWindow, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velunor
