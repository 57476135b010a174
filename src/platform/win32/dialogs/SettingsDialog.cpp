#include "platform/win32/dialogs/SettingsDialog.h"

#include <string>

#include "platform/win32/WideText.h"
#include "platform/win32/dialogs/DialogIds.h"
#include "platform/win32/dialogs/DialogServices.h"
#include "platform/win32/dialogs/MediaLibraryDialog.h"
#include "settings/MediaLibraryKind.h"

namespace velunor {

SettingsDialog::SettingsDialog(AppSettings& settings, BreakScheduler& scheduler,
                               AutostartStore& autostart, const ProgramPaths& paths,
                               MediaPlayer& player)
    : ModalDialog(IDD_SETTINGS),
      m_scheduler(scheduler),
      m_paths(paths),
      m_player(player),
      m_presenter(*this, settings, scheduler, autostart, paths) {}

void SettingsDialog::OnInitDialog() {
    m_presenter.OnInitDialog();
}

void SettingsDialog::OnCommand(int id, int notification) {
    if (id == IDC_INTERVAL_MINUTES || id == IDC_BREAK_MINUTES) {
        if (notification == EN_CHANGE && !m_showingValues) {
            KeepDigitsOnly(id);
            m_presenter.OnIntervalChanged();
        }
        return;
    }
    if (notification != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDC_SAVE_SETTINGS:
            m_presenter.OnSave();
            break;
        case IDC_HIDE_WINDOW:
            m_presenter.OnHideWindow();
            break;
        case IDC_MUSIC_LIBRARY:
            m_presenter.OnMusicLibrary();
            break;
        case IDC_PICTURE_LIBRARY:
            m_presenter.OnPictureLibrary();
            break;
        case IDC_VERSION_NOTES:
            m_presenter.OnVersionNotes();
            break;
        default:
            break;
    }
}

// The edits take only digit keys, but a paste brings in anything; only the ASCII digits that the
// minutes are read from stay.
void SettingsDialog::KeepDigitsOnly(int id) {
    const std::string text = ControlText(id);
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    if (digits == text) {
        return;
    }
    m_showingValues = true;
    SetDlgItemTextW(Window(), id, Widen(digits).c_str());
    SendDlgItemMessageW(Window(), id, EM_SETSEL, digits.size(), digits.size());
    m_showingValues = false;
}

void SettingsDialog::OnKeyboardClose() {
    m_presenter.OnClose();
}

void SettingsDialog::ShowValues(const SettingsValues& values) {
    m_showingValues = true;
    CheckDlgButton(Window(), IDC_START_AT_LOGON, values.autoStart ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(Window(), IDC_INTERVAL_MINUTES, Widen(values.setTimeText).c_str());
    SetDlgItemTextW(Window(), IDC_BREAK_MINUTES, Widen(values.runTimeText).c_str());
    m_showingValues = false;
}

SettingsValues SettingsDialog::EnteredValues() const {
    return SettingsValues{IsDlgButtonChecked(Window(), IDC_START_AT_LOGON) == BST_CHECKED,
                          ControlText(IDC_INTERVAL_MINUTES), ControlText(IDC_BREAK_MINUTES)};
}

std::string SettingsDialog::ControlText(int id) const {
    HWND control = Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
    return Narrow(text);
}

void SettingsDialog::SetSaveEnabled(bool enabled) {
    EnableWindow(Control(IDC_SAVE_SETTINGS), enabled ? TRUE : FALSE);
}

void SettingsDialog::ShowMessage(std::string_view text, MessageKind kind) {
    ShowMessageBox(Window(), text, kind);
}

void SettingsDialog::Close() {
    EndRun();
}

void SettingsDialog::RunMusicLibrary() {
    MediaLibraryDialog library(kMusicLibrary, m_scheduler, m_paths, &m_player);
    library.Run(Window());
}

void SettingsDialog::RunPictureLibrary() {
    MediaLibraryDialog library(kPictureLibrary, m_scheduler, m_paths, nullptr);
    library.Run(Window());
}

void SettingsDialog::OpenDocument(const std::string& path) {
    velunor::OpenDocument(path);
}

}  // namespace velunor
