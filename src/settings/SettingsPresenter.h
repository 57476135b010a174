#pragma once

#include <string>
#include <string_view>

#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "session/BreakScheduler.h"
#include "settings/AutostartStore.h"
#include "settings/SettingsView.h"

namespace velunor {

namespace settings_text {
inline constexpr std::string_view kIntervalMissing = "请输入激活保护程序的间隔时间！";
inline constexpr std::string_view kBreakLengthMissing = "请输入每次运行保护程序的时间！";
inline constexpr std::string_view kSaved = "保存成功";
inline constexpr std::string_view kWriteFailed = "保存失败，无法写入配置文件";
inline constexpr std::string_view kAutostartFailed = "设置已保存，但开机启动设置失败";
inline constexpr std::string_view kVersionNotes = "版本说明.txt";
}  // namespace settings_text

// Everything the settings dialog decides: what it shows, what it checks, applies and writes to
// config.ini, and what it tells the user. Each opening of the dialog makes a new presenter.
class SettingsPresenter {
public:
    // Marks the first run as done and takes over what config.ini holds now, also values edited by
    // hand. Touches no view, so a dialog may construct it in its own constructor.
    SettingsPresenter(SettingsView& view, AppSettings& settings, BreakScheduler& scheduler,
                      AutostartStore& autostart, const ProgramPaths& paths);

    // The values as the dialog shows them on opening: the numbers normalised ("007" shows as 7).
    const SettingsValues& InitialValues() const { return m_initial; }

    void OnInitDialog();
    // "保存设置": validates, applies (ending a break that shows), writes, registers, confirms.
    void OnSave();
    // "隐藏窗口": stores the start-at-logon choice only and closes.
    void OnHideWindow();
    // Either minute field was edited.
    void OnIntervalChanged();
    // Esc, Enter or a close request: closes without storing anything.
    void OnClose();
    void OnMusicLibrary();
    void OnPictureLibrary();
    void OnVersionNotes();

private:
    bool WriteAll(const SettingsValues& values);
    // False when the start-at-logon entry could not be changed; the user has been told.
    bool StoreAutostartEntry();

    SettingsView& m_view;
    AppSettings& m_settings;
    BreakScheduler& m_scheduler;
    AutostartStore& m_autostart;
    const ProgramPaths& m_paths;
    SettingsValues m_initial;
};

}  // namespace velunor
