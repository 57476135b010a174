#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/MediaLibraryKind.h"
#include "settings/MessageKind.h"

namespace velunor {

// A modal message box over owner with one OK button, titled "Velunor"; a failure shows the
// warning icon, anything else the information icon.
void ShowMessageBox(HWND owner, std::string_view text, MessageKind kind = MessageKind::Information);

// The open-file dialog, explorer style, several files allowed, with the library's two filters:
// the chosen files as full paths (UTF-8), or nothing when cancelled. A selection too large for
// even its generous buffer is reported as the library reports one too large for its own.
std::optional<std::vector<std::string>> ChooseLibraryFiles(HWND owner,
                                                           const MediaLibraryKind& kind);

// Hands a file to the program Windows opens it with; failures show nothing.
void OpenDocument(const std::string& path);

}  // namespace velunor
