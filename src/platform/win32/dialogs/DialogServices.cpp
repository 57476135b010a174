#include "platform/win32/dialogs/DialogServices.h"

#include <commdlg.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"
#include "settings/MediaLibraryPresenter.h"

namespace velunor {
namespace {

// Room for thousands of names; the library's own limit is checked on what comes back.
constexpr std::size_t kSelectionChars = 1 << 20;

// Label and pattern of each filter, each ended by a zero, and one more zero at the end.
std::wstring FilterText(const MediaLibraryKind& kind) {
    std::wstring filter;
    for (std::string_view part :
         {kind.filterLabel, kind.filterPattern, kAllFilesFilterLabel, kAllFilesFilterPattern}) {
        filter += Widen(part);
        filter += L'\0';
    }
    return filter;
}

// One file: its full path. Several: the folder, then each name, every part ended by a zero and
// the whole by one more.
std::vector<std::string> SelectedPaths(const std::wstring& buffer) {
    std::vector<std::wstring> parts;
    for (std::size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
        const std::size_t end = buffer.find(L'\0', at);
        parts.push_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    std::vector<std::string> paths;
    if (parts.size() == 1) {
        paths.push_back(Narrow(parts.front()));
        return paths;
    }
    std::wstring folder = parts.empty() ? std::wstring() : parts.front();
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        paths.push_back(Narrow(folder + parts[i]));
    }
    return paths;
}

}  // namespace

void ShowMessageBox(HWND owner, std::string_view text, MessageKind kind) {
    const UINT icon = kind == MessageKind::Failure ? MB_ICONWARNING : MB_ICONINFORMATION;
    MessageBoxW(owner, Widen(text).c_str(), L"Velunor", MB_OK | icon);
}

std::optional<std::vector<std::string>> ChooseLibraryFiles(HWND owner,
                                                           const MediaLibraryKind& kind) {
    const std::wstring filter = FilterText(kind);
    std::wstring buffer(kSelectionChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    // The current folder is left alone: the program's paths are absolute anyway, and a folder
    // held open as current could not be removed by the user.
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&dialog)) {
        return SelectedPaths(buffer);
    }
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        ShowMessageBox(owner, library_text::kTooManyFiles, MessageKind::Failure);
    }
    return std::nullopt;
}

void OpenDocument(const std::string& path) {
    ShellExecuteW(nullptr, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace velunor
