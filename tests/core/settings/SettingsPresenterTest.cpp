#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsPresenter.h"
#include "support/FakeAutostartStore.h"
#include "support/FakeClock.h"
#include "support/RecordingBreakEffects.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using Texts = std::vector<std::string>;

class RecordingSettingsView : public SettingsView {
public:
    void ShowValues(const SettingsValues& values) override { entered = values; }
    SettingsValues EnteredValues() const override { return entered; }
    void SetSaveEnabled(bool enabled) override { saveEnabled = enabled; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void Close() override { ++closed; }
    void RunMusicLibrary() override { calls.push_back("music library"); }
    void RunPictureLibrary() override { calls.push_back("picture library"); }
    void OpenDocument(const std::string& path) override { calls.push_back("open " + path); }

    SettingsValues entered;  // what the user typed
    bool saveEnabled = true;
    Texts messages;
    Texts calls;
    int closed = 0;
};

class SettingsDialogLogic : public ::testing::Test {
protected:
    SettingsDialogLogic() { settings.setTime = settings.runTime = 99; }

    // Constructs and initialises the dialog, as each opening does.
    SettingsPresenter& Open() {
        view = RecordingSettingsView{};
        presenter = std::make_unique<SettingsPresenter>(view, settings, scheduler, autostart, paths,
                                                        canOpenSettings);
        presenter->OnInitDialog();
        return *presenter;
    }
    std::string Config() const { return folder.Read("config.ini"); }

    test::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    AppSettings settings;
    test::FakeClock clock;
    test::RecordingBreakEffects effects;
    BreakScheduler scheduler{settings, clock, effects};
    test::FakeAutostartStore autostart;
    RecordingSettingsView view;
    bool canOpenSettings = true;
    std::unique_ptr<SettingsPresenter> presenter;
};

TEST_F(SettingsDialogLogic, OpeningEndsTheFirstRunAndShowsTheFilesValuesNormalised) {
    folder.Write(
        "config.ini",
        "[Other]\nx=1\n[Option]\nBFirst=true\nBStart=FALSE\nSetTime=007\nRunTime= 12abc\n");
    Open();
    EXPECT_EQ(Config(),
              "[Other]\nx=1\n[Option]\nBFirst=false\nBStart=FALSE\nSetTime=007\nRunTime= 12abc\n");
    EXPECT_EQ(settings.setTime, 7);
    EXPECT_EQ(settings.runTime, 12);
    EXPECT_EQ(settings.autoStart, 1);  // only "false" is off
    EXPECT_TRUE(view.entered.autoStart);
    EXPECT_EQ(view.entered.setTimeText, "7");
    EXPECT_EQ(view.entered.runTimeText, "12");
    EXPECT_FALSE(view.saveEnabled);
    EXPECT_FALSE(canOpenSettings);

    presenter->OnIntervalChanged();
    EXPECT_TRUE(view.saveEnabled);
    presenter->OnVersionNotes();
    EXPECT_EQ(view.calls, Texts{"open " + folder.Folder() + "版本说明.txt"});

    // Esc or Enter: nothing stored, and the tray may open the dialog again.
    view.entered = {false, "30", "5"};
    presenter->OnClose();
    EXPECT_EQ(view.closed, 1);
    EXPECT_TRUE(canOpenSettings);
    EXPECT_EQ(settings.setTime, 7);
    EXPECT_EQ(autostart.changes, 0);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Config(),
              "[Other]\nx=1\n[Option]\nBFirst=false\nBStart=FALSE\nSetTime=007\nRunTime= 12abc\n");
}

TEST_F(SettingsDialogLogic, WithoutAFileTheDefaultsShowAndOnlyTheFirstRunMarkIsWritten) {
    Open();
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\n");
    EXPECT_TRUE(view.entered.autoStart);
    EXPECT_EQ(view.entered.setTimeText, "10");
    EXPECT_EQ(view.entered.runTimeText, "1");
    EXPECT_EQ(presenter->InitialValues().setTimeText, "10");
}

TEST_F(SettingsDialogLogic, SavingWithAnEmptyFieldNamesTheIntervalFirstAndChangesNothing) {
    Open();
    clock.Advance(300);
    view.entered = {false, "", ""};
    presenter->OnSave();
    view.entered = {false, "", "5"};
    presenter->OnSave();
    view.entered = {false, "5", ""};
    presenter->OnSave();
    EXPECT_EQ(view.messages, (Texts{std::string(settings_text::kIntervalMissing),
                                    std::string(settings_text::kIntervalMissing),
                                    std::string(settings_text::kBreakLengthMissing)}));
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\n");
    EXPECT_EQ(settings.setTime, 10);
    EXPECT_EQ(settings.autoStart, 1);
    EXPECT_NE(settings.workStart, clock.Now());
    EXPECT_EQ(autostart.changes, 0);
    EXPECT_EQ(view.closed, 0);
}

TEST_F(SettingsDialogLogic, SavingAppliesStoresTheTextsAsTypedAndStaysOpen) {
    Open();
    presenter->OnIntervalChanged();
    clock.Advance(300);
    view.entered = {true, "007", "0"};
    presenter->OnSave();
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=true\nSetTime=007\nRunTime=0\n");
    EXPECT_EQ(settings.setTime, 7);
    EXPECT_EQ(settings.runTime, 0);
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_TRUE(settings.working);
    EXPECT_EQ(autostart.entries,
              (std::map<std::string, std::string>{{"Orvanta", folder.Folder() + "velunor"}}));
    EXPECT_EQ(view.messages, Texts{"保存成功"});
    EXPECT_EQ(view.closed, 0);
    EXPECT_TRUE(view.saveEnabled);

    // Again, now turning autostart off: every write and the message are repeated.
    clock.Advance(60);
    view.entered.autoStart = false;
    presenter->OnSave();
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=007\nRunTime=0\n");
    EXPECT_EQ(settings.autoStart, 0);
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_EQ(view.messages, (Texts{"保存成功", "保存成功"}));

    // The next opening shows the stored 007 as 7.
    presenter->OnClose();
    Open();
    EXPECT_EQ(view.entered.setTimeText, "7");
    EXPECT_FALSE(view.entered.autoStart);
}

TEST_F(SettingsDialogLogic, SavingDuringABreakEndsTheBreakFirst) {
    Open();
    scheduler.EnterBreak();
    effects.calls.clear();
    clock.Advance(20);
    view.entered = {true, "15", "2"};
    presenter->OnSave();
    EXPECT_EQ(effects.calls, (Texts{"music off", "hide", "tray", "arm"}));
    EXPECT_FALSE(scheduler.InBreak());
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_EQ(settings.setTime, 15);
}

TEST_F(SettingsDialogLogic, HidingTheWindowStoresOnlyTheAutostartChoice) {
    folder.Write("config.ini", "[Option]\nSetTime=20\n");
    Open();
    view.entered = {false, "45", "3"};
    presenter->OnHideWindow();
    EXPECT_EQ(Config(), "[Option]\nSetTime=20\nBFirst=false\nBStart=false\n");
    EXPECT_EQ(settings.autoStart, 0);
    EXPECT_EQ(settings.setTime, 20);
    EXPECT_EQ(autostart.changes, 1);
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.closed, 1);
    EXPECT_TRUE(canOpenSettings);
}

TEST_F(SettingsDialogLogic, AConfigFileThatCannotBeWrittenIsReportedAndKeepsTheDialogOpen) {
    std::filesystem::create_directory(folder.Path() / "config.ini");
    Open();
    view.entered = {true, "15", "2"};
    presenter->OnSave();
    EXPECT_EQ(view.messages, Texts{"保存失败，无法写入配置文件"});
    presenter->OnHideWindow();
    EXPECT_EQ(view.messages, (Texts{"保存失败，无法写入配置文件", "保存失败，无法写入配置文件"}));
    EXPECT_EQ(view.closed, 0);
    EXPECT_FALSE(canOpenSettings);
    EXPECT_EQ(autostart.changes, 0);

    // A program folder that has gone away fails the same way.
    paths = ProgramPaths::FromExecutable(folder.File("gone/velunor"), "velunor");
    Open();
    presenter->OnSave();
    EXPECT_EQ(view.messages, Texts{"保存失败，无法写入配置文件"});
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "gone"));
}

TEST_F(SettingsDialogLogic, AnAutostartEntryThatCannotBeChangedIsReportedAfterTheSettingsAreSaved) {
    autostart.failing = true;
    Open();
    view.entered = {true, "15", "2"};
    presenter->OnSave();
    EXPECT_EQ(view.messages, Texts{"设置已保存，但开机启动设置失败"});
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=true\nSetTime=15\nRunTime=2\n");
    EXPECT_EQ(view.closed, 0);

    presenter->OnHideWindow();
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages.back(), "设置已保存，但开机启动设置失败");
    EXPECT_EQ(view.closed, 1);
}

}  // namespace
}  // namespace velunor
