#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "session/TrayMenu.h"

namespace velunor {

// The program's icon in the notification area, owned by the main window, which receives its
// mouse messages as kCallbackMessage and the menu's commands as WM_COMMAND.
class TrayIcon {
public:
    static constexpr UINT kCallbackMessage = WM_USER + 1;
    static constexpr UINT kIconId = 133;

    explicit TrayIcon(HWND owner) : m_owner(owner) {}
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon if the tray does not show it yet; a no-op while it is there. A tray that is not
    // up yet (early at logon) is tried again at the next call.
    void Show();
    // The tray was restarted (the "TaskbarCreated" message): the icon is gone and comes back.
    void OnTrayRestarted();
    void Remove();
    // A balloon from the icon. One that cannot show at once (another is up, the user is away) is
    // dropped rather than shown late with a countdown that is no longer true. Nothing without the
    // icon.
    void ShowNotice(const std::wstring& title, const std::wstring& text);
    // The tip the icon shows when the pointer rests on it, now and after the tray comes back.
    void SetTip(const std::wstring& tip);
    // Takes a balloon that is still up down.
    void WithdrawNotice();

    // The menu at the cursor: the session's items as the state allows, a line, then 设置 / 帮助 /
    // 关于 / 退出, 退出 the default; it closes when the user clicks elsewhere. The chosen command
    // goes to the owner.
    void ShowMenu(const TrayState& state);

private:
    NOTIFYICONDATAW Record(const wchar_t* tip) const;
    void LoadForCurrentScaling();
    static void AddSessionItems(HMENU menu, const TrayState& state);

    HWND m_owner;
    UniqueIcon m_icon;
    bool m_shown = false;
    std::wstring m_tip = L"双击激活Velunor";
};

}  // namespace velunor
