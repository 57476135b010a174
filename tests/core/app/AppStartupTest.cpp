#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppStartup.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

class RecordingHost : public StartupHost, public BreakEffects {
public:
    explicit RecordingHost(const AppSettings& settings) : m_settings(settings) {}
    void InitializeRenderer() override { calls.push_back("renderer"); }
    void StartScheduleTimer() override {
        calls.push_back("timer interval=" + std::to_string(m_settings.setTime));
    }
    void RunFirstRunSettings() override { calls.push_back("settings"); }
    void AddTrayIcon() override { calls.push_back("tray"); }
    void StartBreakMusic() override {}
    void StopBreakMusic() override {}
    void ShowBreakScreen() override {}
    void HideBreakScreen() override {}
    void ArmCountdown() override {}
    std::vector<std::string> calls;

private:
    const AppSettings& m_settings;
};

struct Started {
    explicit Started(const std::string& config) {
        if (!config.empty()) {
            folder.Write("config.ini", config);
        }
        RunStartup(ProgramPaths::FromExecutable(folder.File("velunor"), "velunor"), settings,
                   scheduler, host);
    }
    test::TempFolder folder;
    test::FakeClock clock;
    AppSettings settings;
    RecordingHost host{settings};
    BreakScheduler scheduler{settings, clock, host};
};

TEST(AppStartup, WithoutConfigTheTrayIconComesAtOnceAndNothingIsWritten) {
    Started app("");
    EXPECT_EQ(app.host.calls, (std::vector<std::string>{"renderer", "timer interval=10", "tray"}));
    EXPECT_EQ(app.settings.workStart, app.clock.Now());
    EXPECT_TRUE(app.settings.working);
    EXPECT_TRUE(app.settings.libraryClosed);
    EXPECT_FALSE(app.folder.Exists("config.ini"));
}

TEST(AppStartup, FirstRunOpensTheSettingsInsteadOfTheTray) {
    Started app("[Option]\nBFirst=true\nSetTime=25\n");
    EXPECT_EQ(app.host.calls,
              (std::vector<std::string>{"renderer", "timer interval=25", "settings"}));
    Started notExactly("[Option]\nBFirst=TRUE\n");
    EXPECT_EQ(notExactly.host.calls.back(), "tray");
}

}  // namespace
}  // namespace velunor
