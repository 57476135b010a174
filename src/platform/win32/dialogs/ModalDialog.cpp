#include "platform/win32/dialogs/ModalDialog.h"

#include <commctrl.h>

#include <utility>

#include "render/PictureIds.h"

namespace velunor {
namespace {

// Whether the font draws the letter itself rather than a substitute box.
bool HasGlyph(HWND window, HFONT font, wchar_t letter) {
    const WindowDC dc(window);
    const Selection selected(dc.Get(), font);
    WORD glyph = 0xffff;
    GetGlyphIndicesW(dc.Get(), &letter, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    return glyph != 0xffff;
}

// The push button that has the focus, if any: Enter presses it. Windows makes a focused button the
// default one and sends its click; Wine does so only after Tab, and otherwise sends IDOK.
HWND FocusedPushButton(HWND dialog) {
    HWND focus = GetFocus();
    wchar_t className[16] = {};
    if (focus == nullptr || !IsChild(dialog, focus) || GetClassNameW(focus, className, 16) == 0 ||
        lstrcmpiW(className, L"Button") != 0) {
        return nullptr;
    }
    const auto type = GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? focus : nullptr;
}

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

ModalDialog::~ModalDialog() = default;

void ModalDialog::Run(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner, Procedure,
                    reinterpret_cast<LPARAM>(this));
    m_window = nullptr;
}

void ModalDialog::EndRun() {
    EndDialog(m_window, IDCANCEL);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->Initialize(window);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    // Moved to a monitor of other scaling, the dialog is laid out anew and every control gets the
    // template's face at the new size once this returns; the Chinese face and what a dialog sizes
    // itself follow after that.
    if (message == WM_DPICHANGED) {
        PostMessageW(window, kFollowScaling, 0, 0);
        return FALSE;
    }
    if (message == kFollowScaling) {
        if (dialog->m_font) {
            dialog->UseReadableFont();
        }
        dialog->OnScalingChanged();
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const int id = LOWORD(wParam);
    HWND button = id == IDOK ? FocusedPushButton(window) : nullptr;
    if (button != nullptr) {
        dialog->OnCommand(GetDlgCtrlID(button), BN_CLICKED);
    } else if (id == IDOK || id == IDCANCEL) {
        dialog->OnKeyboardClose();
    } else {
        dialog->OnCommand(id, HIWORD(wParam));
    }
    return TRUE;
}

void ModalDialog::Initialize(HWND window) {
    m_window = window;
    UseReadableFont();
    // The caption's small icon and the task switcher's large one, each drawn for its own size.
    HICON smallIcon = nullptr;
    HICON largeIcon = nullptr;
    LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), LIM_SMALL, &smallIcon);
    LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), LIM_LARGE, &largeIcon);
    m_smallIcon.reset(smallIcon);
    m_largeIcon.reset(largeIcon);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    OnInitDialog();
}

// The templates name a scalable Chinese face that every Windows since 8 brings; the dialog units,
// and so every control's place, follow its size at each scaling. On a system without it the
// texts would be boxes, so the controls get a Chinese face of the same height; the units stay.
void ModalDialog::UseReadableFont() {
    auto* font = reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (font == nullptr || GetObjectW(font, sizeof(face), &face) == 0 ||
        HasGlyph(m_window, font, L'设')) {
        return;
    }
    face.lfCharSet = GB2312_CHARSET;
    face.lfWeight = FW_NORMAL;
    face.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(face.lfFaceName, L"宋体", LF_FACESIZE);
    // The controls' earlier font goes once none of them uses it.
    GdiObject<HFONT> previous = std::exchange(m_font, GdiObject<HFONT>(CreateFontIndirectW(&face)));
    if (m_font) {
        EnumChildWindows(m_window, SetFontOf, reinterpret_cast<LPARAM>(m_font.get()));
    }
}

}  // namespace velunor
