#pragma once

#include <string>
#include <string_view>

#include "settings/MessageKind.h"

namespace velunor {

// What the settings dialog shows and the user edits: the start-at-logon check box and the two
// minute fields, as texts.
struct SettingsValues {
    bool autoStart = false;
    std::string setTimeText;  // minutes between two breaks
    std::string runTimeText;  // minutes of one break
};

// The settings dialog as its logic sees it. The front end implements it on its widgets; none of
// these may call back into the presenter.
class SettingsView {
public:
    virtual ~SettingsView() = default;

    // Puts the values into the check box and the two edits.
    virtual void ShowValues(const SettingsValues& values) = 0;
    // What the controls hold now.
    virtual SettingsValues EnteredValues() const = 0;
    // The "保存设置" button.
    virtual void SetSaveEnabled(bool enabled) = 0;
    // A modal message box with one OK button.
    virtual void ShowMessage(std::string_view text, MessageKind kind) = 0;
    // Ends the dialog's modal run.
    virtual void Close() = 0;

    // The library dialogs, run modally.
    virtual void RunMusicLibrary() = 0;
    virtual void RunPictureLibrary() = 0;
    // Hands a file to the program the desktop opens it with; failures are not reported.
    virtual void OpenDocument(const std::string& path) = 0;
};

}  // namespace velunor
