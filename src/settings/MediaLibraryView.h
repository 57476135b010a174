#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/MessageKind.h"

namespace velunor {

// A library dialog as its logic sees it: a one-column list of file names, a file chooser and
// message boxes. The front end implements it on its widgets; none of these may call back into the
// presenter.
class MediaLibraryView {
public:
    virtual ~MediaLibraryView() = default;

    // Rows are counted from the top; the presenter decides where each one goes.
    virtual void InsertRow(std::size_t position, const std::string& name) = 0;
    virtual void RemoveRow(std::size_t position) = 0;
    // The selected row, if any.
    virtual std::optional<std::size_t> SelectedRow() const = 0;

    // The open-file dialog with several files allowed and the library's two filters: the chosen
    // files as full paths, in the order the dialog gives them, or nothing when it was cancelled.
    virtual std::optional<std::vector<std::string>> ChooseFiles() = 0;

    // A modal message box with one OK button.
    virtual void ShowMessage(std::string_view text, MessageKind kind) = 0;
    // Ends the dialog's modal run.
    virtual void Close() = 0;
};

}  // namespace velunor
