#include "platform/win32/dialogs/MediaLibraryDialog.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "platform/win32/dialogs/DialogIds.h"
#include "platform/win32/dialogs/DialogServices.h"

namespace velunor {
namespace {

constexpr int kColumnPixels = 160;  // at 100 % scaling, grown with the dialog's

MediaLibraryDialog::Controls ControlsOf(const MediaLibraryKind& kind) {
    if (kind.subFolder == kMusicLibrary.subFolder) {
        return {IDD_MUSIC_LIBRARY, IDC_MUSIC_LIST, IDC_MUSIC_ADD, IDC_MUSIC_DELETE, IDC_MUSIC_DONE};
    }
    return {IDD_PICTURE_LIBRARY, IDC_PICTURE_LIST, IDC_PICTURE_ADD, IDC_PICTURE_DELETE,
            IDC_PICTURE_DONE};
}

int ColumnWidth(HWND list) {
    return MulDiv(kColumnPixels, int(GetDpiForWindow(list)), USER_DEFAULT_SCREEN_DPI);
}

// The list control's class is registered by the common controls library.
int LibraryTemplate(const MediaLibraryKind& kind) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    return ControlsOf(kind).templateId;
}

}  // namespace

MediaLibraryDialog::MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                                       const ProgramPaths& paths, MediaPlayer* player)
    : ModalDialog(LibraryTemplate(kind)),
      m_kind(kind),
      m_controls(ControlsOf(kind)),
      m_presenter(
          player != nullptr
              ? std::make_unique<MediaLibraryPresenter>(m_kind, *this, scheduler, paths, *player)
              : std::make_unique<MediaLibraryPresenter>(m_kind, *this, scheduler, paths)) {}

// The list's messages are sent in their UTF-16 form by name: the list macros pick the ANSI form
// in a build without UNICODE defined.
void MediaLibraryDialog::OnInitDialog() {
    ListView_SetExtendedListViewStyleEx(List(), 0, LVS_EX_GRIDLINES);
    std::wstring heading = Widen(m_kind.columnHeading);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ColumnWidth(List());
    column.pszText = heading.data();
    SendMessageW(List(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    m_presenter->OnInitDialog();
}

void MediaLibraryDialog::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED) {
        return;
    }
    if (id == m_controls.add) {
        m_presenter->OnAdd();
    } else if (id == m_controls.remove) {
        m_presenter->OnDelete();
    } else if (id == m_controls.done) {
        m_presenter->OnDone();
    }
}

// The names would be cut at the old width, or leave a gap.
void MediaLibraryDialog::OnScalingChanged() {
    ListView_SetColumnWidth(List(), 0, ColumnWidth(List()));
}

void MediaLibraryDialog::OnKeyboardClose() {
    m_presenter->OnDone();
}

void MediaLibraryDialog::InsertRow(std::size_t position, const std::string& name) {
    std::wstring text = Widen(name);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(position);
    item.pszText = text.data();
    SendMessageW(List(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// As after a delete in any list: nothing is selected, so a second press deletes nothing by
// accident.
void MediaLibraryDialog::RemoveRow(std::size_t position) {
    ListView_DeleteItem(List(), static_cast<int>(position));
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
}

std::optional<std::size_t> MediaLibraryDialog::SelectedRow() const {
    const int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
    if (row < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

std::optional<std::vector<std::string>> MediaLibraryDialog::ChooseFiles() {
    return ChooseLibraryFiles(Window(), m_kind);
}

void MediaLibraryDialog::ShowMessage(std::string_view text, MessageKind kind) {
    ShowMessageBox(Window(), text, kind);
}

void MediaLibraryDialog::Close() {
    EndRun();
}

}  // namespace velunor
