#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace velunor {

// A modal dialog built from a template of the program's resources. Esc and Enter (when no push
// button has the focus) arrive as IDCANCEL and IDOK and both go to OnKeyboardClose; the dialog
// ends only through EndRun.
class ModalDialog {
public:
    virtual ~ModalDialog();
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog over owner (none: a window of its own) until it ends.
    void Run(HWND owner);

protected:
    explicit ModalDialog(int templateId) : m_templateId(templateId) {}

    HWND Window() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    void EndRun();

    virtual void OnInitDialog() = 0;
    virtual void OnCommand(int id, int notification) = 0;
    virtual void OnKeyboardClose() = 0;
    // The dialog moved to a monitor of other scaling and was laid out anew.
    virtual void OnScalingChanged() {}

private:
    static constexpr UINT kFollowScaling = WM_APP + 1;

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialize(HWND window);
    void UseReadableFont();

    int m_templateId;
    HWND m_window = nullptr;
    UniqueIcon m_smallIcon;
    UniqueIcon m_largeIcon;
    GdiObject<HFONT> m_font;  // ours, when the template's face has no Chinese letters
};

}  // namespace velunor
