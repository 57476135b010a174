#include "LayoutCheck.h"

#include "platform/win32/WideText.h"

namespace velunor {
namespace {

enum class Kind { Group, Check, Push, Label, Edit, Other };

Kind KindOf(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    const auto style = GetWindowLongPtrW(control, GWL_STYLE);
    if (lstrcmpiW(name, L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                return Kind::Group;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return Kind::Check;
            default:
                return Kind::Push;
        }
    }
    if (lstrcmpiW(name, L"Static") == 0) {
        return (style & SS_TYPEMASK) <= SS_RIGHT ? Kind::Label : Kind::Other;
    }
    return lstrcmpiW(name, L"Edit") == 0 ? Kind::Edit : Kind::Other;
}

// The room the text takes in the control's own font, labels wrapped at the control's width, with
// what the control draws beside it: a button's edge and focus frame, a check box's box and gap,
// a group box's frame on either side of its title, an edit's border (pixels at 100 %).
SIZE Needed(HWND control, Kind kind, const std::wstring& text, int width) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, kind == Kind::Label ? width : 0x7fff, 0};
    UINT format = DT_CALCRECT | (kind == Kind::Label ? DT_WORDBREAK : DT_SINGLELINE);
    if ((GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX) != 0 && kind == Kind::Label) {
        format |= DT_NOPREFIX;
    }
    DrawTextW(dc, text.c_str(), int(text.size()), &box, format);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const int across = kind == Kind::Push    ? 8
                       : kind == Kind::Check ? 17
                       : kind == Kind::Group ? 16
                       : kind == Kind::Edit  ? 6
                                             : 0;
    const int down = kind == Kind::Push || kind == Kind::Edit ? 4 : 0;
    return SIZE{box.right + MulDiv(across, dpi, 96), box.bottom + MulDiv(down, dpi, 96)};
}

// The control's place in the dialog's client area.
RECT PlaceOf(HWND control, HWND dialog) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string Describe(const std::wstring& text, const RECT& place) {
    return "\"" + Narrow(text) + "\" at " + std::to_string(place.left) + "," +
           std::to_string(place.top) + " " + std::to_string(place.right - place.left) + "x" +
           std::to_string(place.bottom - place.top);
}

}  // namespace

std::vector<std::string> LayoutFaults(HWND dialog) {
    std::vector<std::string> faults;
    std::vector<RECT> shown;
    RECT client{};
    GetClientRect(dialog, &client);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const Kind kind = KindOf(control);
        std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
        text.resize(GetWindowTextW(control, text.data(), int(text.size())));
        const RECT place = PlaceOf(control, dialog);
        const std::string name = Describe(text, place);
        const SIZE has{place.right - place.left, place.bottom - place.top};
        if (kind != Kind::Other) {
            const SIZE needs = Needed(control, kind, text, has.cx);
            if (needs.cx > has.cx || (kind != Kind::Group && needs.cy > has.cy)) {
                faults.push_back(name + " clipped: its text needs " + std::to_string(needs.cx) +
                                 "x" + std::to_string(needs.cy));
            }
        }
        RECT inside{};
        if (!IntersectRect(&inside, &place, &client) || !EqualRect(&inside, &place)) {
            faults.push_back(name + " reaches out of the dialog");
        }
        if (kind == Kind::Group || !IsWindowVisible(control)) {
            continue;
        }
        for (const RECT& other : shown) {
            if (IntersectRect(&inside, &place, &other)) {
                faults.push_back(name + " overlaps another control");
            }
        }
        shown.push_back(place);
    }
    return faults;
}

}  // namespace velunor
