#include "settings/SettingsPresenter.h"

#include "base/ConfigFile.h"
#include "settings/AutostartEntry.h"

namespace velunor {
namespace {
std::string_view OnOffText(int autoStart) {
    return autoStart != 0 ? "true" : "false";
}
}  // namespace

SettingsPresenter::SettingsPresenter(SettingsView& view, AppSettings& settings,
                                     BreakScheduler& scheduler, AutostartStore& autostart,
                                     const ProgramPaths& paths)
    : m_view(view),
      m_settings(settings),
      m_scheduler(scheduler),
      m_autostart(autostart),
      m_paths(paths) {
    // Before anything is read, so that only the very first start-up opens the dialog by itself.
    // A folder that cannot be written shows up at the first save, which says so.
    WriteSetting(config::kFirstRun, "false", m_paths.m_configPath);
    ReadSettings(m_settings, m_paths.m_configPath);
    m_settings.DeriveValues();
    m_initial.autoStart = m_settings.autoStart != 0;
    m_initial.setTimeText = std::to_string(m_settings.setTime);
    m_initial.runTimeText = std::to_string(m_settings.runTime);
}

void SettingsPresenter::OnInitDialog() {
    m_view.ShowValues(m_initial);
    // After the fill, whose change notifications would have enabled it.
    m_view.SetSaveEnabled(false);
}

void SettingsPresenter::OnSave() {
    const SettingsValues values = m_view.EnteredValues();
    if (values.setTimeText.empty()) {
        m_view.ShowMessage(settings_text::kIntervalMissing, MessageKind::Failure);
        return;
    }
    if (values.runTimeText.empty()) {
        m_view.ShowMessage(settings_text::kBreakLengthMissing, MessageKind::Failure);
        return;
    }
    // Stored first: a save that fails changes nothing, so what runs is always what is stored.
    if (!WriteAll(values)) {
        m_view.ShowMessage(settings_text::kWriteFailed, MessageKind::Failure);
        return;
    }
    // A break that shows ends as Escape ends it; the new interval counts from now.
    m_scheduler.OnSettingsSaved(ParseLeadingInt(values.setTimeText),
                                ParseLeadingInt(values.runTimeText), values.autoStart ? 1 : 0);
    if (StoreAutostartEntry()) {
        m_view.ShowMessage(settings_text::kSaved, MessageKind::Information);
    }
}

// The minute texts are stored as typed; only the running values are normalised. One replace of
// the file: a save that fails leaves it as it was.
bool SettingsPresenter::WriteAll(const SettingsValues& values) {
    return WriteSettings({{config::kStartAtLogon, OnOffText(values.autoStart ? 1 : 0)},
                          {config::kInterval, values.setTimeText},
                          {config::kBreakLength, values.runTimeText}},
                         m_paths.m_configPath);
}

bool SettingsPresenter::StoreAutostartEntry() {
    if (SetAutoStartEntry(m_autostart, m_paths, m_settings.autoStart != 0)) {
        return true;
    }
    m_view.ShowMessage(settings_text::kAutostartFailed, MessageKind::Failure);
    return false;
}

void SettingsPresenter::OnHideWindow() {
    const int autoStart = m_view.EnteredValues().autoStart ? 1 : 0;
    if (!WriteSetting(config::kStartAtLogon, OnOffText(autoStart), m_paths.m_configPath)) {
        // Stays open: the user may try again or leave with Esc knowing nothing was kept.
        m_view.ShowMessage(settings_text::kWriteFailed, MessageKind::Failure);
        return;
    }
    m_settings.autoStart = autoStart;
    StoreAutostartEntry();
    m_view.Close();
}

void SettingsPresenter::OnIntervalChanged() {
    m_view.SetSaveEnabled(true);
}

void SettingsPresenter::OnClose() {
    m_view.Close();
}

void SettingsPresenter::OnMusicLibrary() {
    m_view.RunMusicLibrary();
}

void SettingsPresenter::OnPictureLibrary() {
    m_view.RunPictureLibrary();
}

void SettingsPresenter::OnVersionNotes() {
    m_view.OpenDocument(m_paths.m_folder + std::string(settings_text::kVersionNotes));
}

}  // namespace velunor
