#include "TrayIcon.h"

#include <commctrl.h>
#include <shellapi.h>

#include "CommandIds.h"
#include "platform/win32/WideText.h"

namespace velunor {

TrayIcon::~TrayIcon() {
    Remove();
}

// Loaded anew whenever the icon is added (a restarted tray may come back at another scaling):
// the small-icon size of the scaling of the moment, 16 px at 100 %, 20 at 125 %, 24 at 150 %,
// each an image of its own in the icon, so none is a blurred stretch of another.
void TrayIcon::LoadForCurrentScaling() {
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                 LIM_SMALL, &icon))) {
        m_icon.reset(icon);
    }
}

NOTIFYICONDATAW TrayIcon::Record(const wchar_t* tip) const {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = m_owner;
    record.uID = kIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kCallbackMessage;
    record.hIcon = m_icon.get();
    lstrcpynW(record.szTip, tip, ARRAYSIZE(record.szTip));
    return record;
}

void TrayIcon::Show() {
    if (m_shown) {
        return;
    }
    LoadForCurrentScaling();
    NOTIFYICONDATAW record = Record(m_tip.c_str());
    m_shown = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

void TrayIcon::OnTrayRestarted() {
    m_shown = false;
    Show();
}

void TrayIcon::Remove() {
    if (!m_shown) {
        return;
    }
    NOTIFYICONDATAW record = Record(L"Velunor");
    Shell_NotifyIconW(NIM_DELETE, &record);
    m_shown = false;
}

void TrayIcon::ShowNotice(const std::wstring& title, const std::wstring& text) {
    if (!m_shown) {
        return;
    }
    NOTIFYICONDATAW record = Record(L"");
    record.uFlags = NIF_INFO | NIF_REALTIME;
    record.dwInfoFlags = NIIF_INFO;
    lstrcpynW(record.szInfoTitle, title.c_str(), ARRAYSIZE(record.szInfoTitle));
    lstrcpynW(record.szInfo, text.c_str(), ARRAYSIZE(record.szInfo));
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

// An empty balloon text takes the balloon down.
void TrayIcon::WithdrawNotice() {
    if (!m_shown) {
        return;
    }
    NOTIFYICONDATAW record = Record(L"");
    record.uFlags = NIF_INFO;
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

void TrayIcon::SetTip(const std::wstring& tip) {
    m_tip = tip;
    if (m_shown) {
        NOTIFYICONDATAW record = Record(m_tip.c_str());
        record.uFlags = NIF_TIP;
        Shell_NotifyIconW(NIM_MODIFY, &record);
    }
}

// In the order of the session's menu, with its texts.
void TrayIcon::AddSessionItems(HMENU menu, const TrayState& state) {
    HMENU pauses = CreatePopupMenu();
    for (std::size_t i = 0; i < kPauseChoices.size(); ++i) {
        AppendMenuW(pauses, MF_STRING, ID_TRAY_PAUSE_FIRST + i,
                    Widen(kPauseChoices[i].label).c_str());
    }
    UINT position = 0;
    InsertMenuW(menu, position++, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(pauses),
                Widen(tray_text::kPauseMenu).c_str());
    if (state.paused) {
        InsertMenuW(menu, position++, MF_BYPOSITION, ID_TRAY_RESUME,
                    Widen(tray_text::kResume).c_str());
    }
    InsertMenuW(menu, position++, MF_BYPOSITION | (state.canPostpone ? 0 : MF_GRAYED),
                ID_TRAY_POSTPONE, Widen(tray_text::kPostpone).c_str());
    InsertMenuW(menu, position++, MF_BYPOSITION | (state.canBreakNow ? 0 : MF_GRAYED),
                ID_TRAY_BREAK_NOW, Widen(tray_text::kBreakNow).c_str());
    InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void TrayIcon::ShowMenu(const TrayState& state) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (menu == nullptr) {
        return;
    }
    HMENU popup = GetSubMenu(menu, 0);
    if (popup != nullptr) {
        AddSessionItems(popup, state);
        POINT cursor{};
        GetCursorPos(&cursor);
        SetMenuDefaultItem(popup, ID_TRAY_EXIT, FALSE);
        // Without the owner in the foreground the menu would not close on a click elsewhere.
        SetForegroundWindow(m_owner);
        TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x,
                       cursor.y, 0, m_owner, nullptr);
        PostMessageW(m_owner, WM_NULL, 0, 0);
    }
    DestroyMenu(menu);
}

}  // namespace velunor
