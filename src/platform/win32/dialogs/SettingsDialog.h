#pragma once

#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "platform/win32/dialogs/ModalDialog.h"
#include "session/BreakScheduler.h"
#include "settings/AutostartStore.h"
#include "settings/SettingsPresenter.h"
#include "settings/SettingsView.h"

namespace velunor {

// "设置" (template 131): start at logon, the work interval and the break length, and the way to
// the music library and the version notes. It closes through "隐藏窗口" or from the keyboard.
class SettingsDialog : public ModalDialog, public SettingsView {
public:
    // The player is the one the music library adds its files to.
    SettingsDialog(AppSettings& settings, BreakScheduler& scheduler, AutostartStore& autostart,
                   const ProgramPaths& paths, MediaPlayer& player);

    void ShowValues(const SettingsValues& values) override;
    SettingsValues EnteredValues() const override;
    void SetSaveEnabled(bool enabled) override;
    void ShowMessage(std::string_view text, MessageKind kind) override;
    void Close() override;
    void RunMusicLibrary() override;
    void RunPictureLibrary() override;
    void OpenDocument(const std::string& path) override;

private:
    void OnInitDialog() override;
    void OnCommand(int id, int notification) override;
    void OnKeyboardClose() override;
    std::string ControlText(int id) const;
    void KeepDigitsOnly(int id);

    BreakScheduler& m_scheduler;
    const ProgramPaths& m_paths;
    MediaPlayer& m_player;
    SettingsPresenter m_presenter;
    // The edits report the values put into them as changes too; only the user's count.
    bool m_showingValues = false;
};

}  // namespace velunor
