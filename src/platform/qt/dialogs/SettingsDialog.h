#pragma once

#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "platform/qt/dialogs/DialogServices.h"
#include "platform/qt/dialogs/ModalDialog.h"
#include "session/BreakScheduler.h"
#include "settings/AutostartStore.h"
#include "settings/SettingsPresenter.h"
#include "settings/SettingsView.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velunor {

// "设置": start at logon, the work interval and the break length, and the way to the music
// library and the version notes. Run it with exec(); it closes through its "隐藏窗口" button or
// from the keyboard, and has no close box.
class SettingsDialog : public ModalDialog, public SettingsView {
    Q_OBJECT

public:
    // The player is the one the music library adds its files to.
    SettingsDialog(AppSettings& settings, BreakScheduler& scheduler, AutostartStore& autostart,
                   const ProgramPaths& paths, MediaPlayer& player,
                   DialogServices services = DialogServices::Desktop(), QWidget* parent = nullptr);

    void ShowValues(const SettingsValues& values) override;
    SettingsValues EnteredValues() const override;
    void SetSaveEnabled(bool enabled) override;
    void ShowMessage(std::string_view text, MessageKind kind) override;
    void Close() override;
    void RunMusicLibrary() override;
    void RunPictureLibrary() override;
    void OpenDocument(const std::string& path) override;

protected:
    // Esc, Enter and a close request: closes without storing anything.
    void OnKeyboardClose() override;

private:
    void BuildControls();
    void ConnectButtons();

    BreakScheduler& m_scheduler;
    const ProgramPaths& m_paths;
    MediaPlayer& m_player;
    DialogServices m_services;
    SettingsPresenter m_presenter;

    QPushButton* m_musicButton = nullptr;
    QPushButton* m_notesButton = nullptr;
    QCheckBox* m_autoStartCheck = nullptr;
    QPushButton* m_pictureButton = nullptr;
    QLineEdit* m_setTimeEdit = nullptr;
    QLineEdit* m_runTimeEdit = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_hideButton = nullptr;
};

}  // namespace velunor
