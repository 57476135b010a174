#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "music/SoundDevice.h"
#include "session/Desktop.h"
#include "support/RecordingCanvas.h"

namespace velunor::test {

// A desktop that notes, in order, what the session asked of it, and reports the idle time and
// full-screen state the test sets.
class FakeDesktop : public Desktop {
public:
    Canvas& BreakCanvas() override { return canvas; }
    void StartScheduleTimer() override {}
    void StopTimers() override { calls.push_back("stop timers"); }
    void ShowTrayIcon() override {}
    void RemoveTrayIcon() override {}
    void ShowTrayState(const TrayState& state) override { tray = state; }
    void ShowBreakWindow() override { calls.push_back("show"); }
    void HideBreakWindow() override { calls.push_back("hide"); }
    void HoldKeyboard() override { calls.push_back("hold keys"); }
    void ReleaseKeyboard() override { calls.push_back("release keys"); }
    void RunSettingsDialog(AppSettings&, BreakScheduler& openScheduler) override {
        calls.push_back("settings");
        scheduler = &openScheduler;
        if (settingsDialog) {
            settingsDialog();
        }
    }
    void RunHelpDialog() override {}
    void RunAboutDialog() override {}
    void ShowNotice(std::string_view title, std::string_view text, bool) override {
        notices.push_back(std::string(title) + ": " + std::string(text));
    }
    void WithdrawNotice() override { ++withdrawn; }
    std::optional<std::int64_t> IdleSeconds() override { return ++idleReads, idle; }
    bool OtherProgramFullScreen() override { return fullScreen; }
    bool OtherProgramInCall() override { return inCall; }
    void Quit() override { calls.push_back("quit"); }

    RecordingCanvas canvas{1024, 768};
    std::vector<std::string> calls;
    std::vector<std::string> notices;
    int withdrawn = 0;                     // notices taken away
    std::function<void()> settingsDialog;  // what the open dialog does
    BreakScheduler* scheduler = nullptr;   // what the last settings dialog worked on
    std::optional<std::int64_t> idle;
    int idleReads = 0;
    bool fullScreen = false;
    bool inCall = false;
    TrayState tray;
};

// A machine without sound output, noting whether the session holds it.
class NoSound : public SoundDevice {
public:
    int Open() override { return open = true, 1; }
    void Close() override { open = false; }
    bool open = false;
};

}  // namespace velunor::test
