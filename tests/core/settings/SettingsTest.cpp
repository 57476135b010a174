// The settings dialog and the two library dialogs, as their presenters decide them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "settings/MediaLibraryPresenter.h"
#include "settings/SettingsPresenter.h"
#include "support/ProgramState.h"
#include "support/RecordingViews.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class Dialogs : public ::testing::Test, protected test::ProgramState {
protected:
    Dialogs() {
        settings.setTime = settings.runTime = 99;
        scheduler.StartWork();
    }
    void OpenSettings() {
        settingsDialog =
            std::make_unique<SettingsPresenter>(view, settings, scheduler, autostart, paths);
        settingsDialog->OnInitDialog();
    }
    void Save(bool autoStart, const std::string& setTime, const std::string& runTime) {
        view.entered = {autoStart, setTime, runTime};
        settingsDialog->OnSave();
    }
    std::string Config() const { return folder.Read("config.ini"); }
    // Files with their own names as content.
    void Fill(const test::TempFolder& where, const std::string& sub, const Texts& names) {
        for (const std::string& name : names) {
            where.Write(sub + name, name);
        }
    }

    test::TempFolder source;  // where the user picks files to add from
    test::RecordingViews view;
    std::unique_ptr<SettingsPresenter> settingsDialog;
};

// What Esc, Enter and a close request do is the widget test's: they press the real keys.
TEST_F(Dialogs, SettingsOpeningEndsTheFirstRunAndShowsTheFileNormalised) {
    const std::string config = "[Other]\nx=1\n[Option]\nBStart=FALSE\nSetTime=007\nRunTime= 12a\n";
    folder.Write("config.ini", config + "BFirst=true\n");
    OpenSettings();
    EXPECT_EQ(Config(), config + "BFirst=false\n");
    EXPECT_EQ(settings.bFirstText, "false");  // written before the file is read
    EXPECT_EQ(std::tuple(settings.autoStart, settings.setTime, settings.runTime),
              std::tuple(1, 7, 12));
    EXPECT_EQ(
        std::tuple(view.entered.autoStart, view.entered.setTimeText, view.entered.runTimeText),
        std::tuple(true, "7", "12"));
    settingsDialog->OnVersionNotes();
    EXPECT_EQ(view.opened, folder.Folder() + "版本说明.txt");
}

TEST_F(Dialogs, SettingsSavedApplyAreWrittenAsTypedAndRestartTheIntervalButAnEmptyFieldIsRefused) {
    OpenSettings();
    clock.Advance(300);
    Save(false, "", "");
    Save(false, "", "5");
    Save(false, "5", "");
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\n");
    EXPECT_EQ(std::tuple(settings.setTime, autostart.changes, settings.workStart == clock.Now()),
              std::tuple(10, 0, false));
    Save(true, "007", "0");
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=true\nSetTime=007\nRunTime=0\n");
    EXPECT_EQ(std::tuple(settings.setTime, settings.runTime, settings.workStart),
              std::tuple(7, 0, clock.Now()));
    EXPECT_EQ(autostart.entries,
              (std::map<std::string, std::string>{{"Orvanta", paths.m_exePath}}));

    clock.Advance(60);  // a save during a break ends it: the schedule test's
    Save(false, "15", "2");
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=15\nRunTime=2\n");
    EXPECT_EQ(std::tuple(settings.autoStart, settings.setTime, settings.workStart),
              std::tuple(0, 15, clock.Now()));
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_EQ(view.messages,
              (Texts{"! 请输入激活保护程序的间隔时间！", "! 请输入激活保护程序的间隔时间！",
                     "! 请输入每次运行保护程序的时间！", "保存成功", "保存成功"}));
    EXPECT_EQ(view.closed, 0);
}

TEST_F(Dialogs, SettingsHiddenStoreOnlyTheAutostartChoiceAndFailuresAreReportedAndChangeNothing) {
    fs::create_directory(folder.Path() / "config.ini");
    OpenSettings();
    const auto running = [&] {
        return std::tuple(settings.autoStart, settings.setTime, settings.runTime,
                          settings.workStart);
    };
    const auto before = running();
    clock.Advance(300);
    Save(false, "15", "2");
    settingsDialog->OnHideWindow();
    EXPECT_EQ(view.messages, Texts(2, "! 保存失败，无法写入配置文件"));
    EXPECT_EQ(running(), before);  // what runs is what is stored
    EXPECT_EQ(std::tuple(view.closed, autostart.changes), std::tuple(0, 0));

    fs::remove(folder.Path() / "config.ini");
    folder.Write("config.ini", "[Option]\nSetTime=20\n");
    view.entered = {false, "45", "3"};
    settingsDialog->OnHideWindow();
    EXPECT_EQ(Config(), "[Option]\nSetTime=20\nBStart=false\n");
    EXPECT_EQ(std::tuple(settings.autoStart, autostart.changes, view.closed), std::tuple(0, 1, 1));

    autostart.failing = true;
    OpenSettings();
    Save(true, "15", "2");
    settingsDialog->OnHideWindow();
    EXPECT_EQ(Config(), "[Option]\nSetTime=15\nBStart=true\nBFirst=false\nRunTime=2\n");
    EXPECT_EQ(Texts(view.messages.begin() + 2, view.messages.end()),
              Texts(2, "! 设置已保存，但开机启动设置失败"));
    EXPECT_EQ(view.closed, 2);
}

// The times config.ini was renamed into place since the counter was made, where the system can
// tell.
class ReplaceCounter {
public:
#ifdef __linux__
    explicit ReplaceCounter(const fs::path& folder) : m_watch(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(m_watch, folder.c_str(), IN_MOVED_TO);
    }
    ~ReplaceCounter() {
        close(m_watch);
    }
    int Count() const {
        alignas(inotify_event) char events[4096];
        const ssize_t length = read(m_watch, events, sizeof events);
        int count = 0;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            count += std::string_view(event->name) == "config.ini";
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
        return count;
    }

private:
    int m_watch;
#else
    explicit ReplaceCounter(const fs::path&) {}
    int Count() const {
        return 1;
    }
#endif
};

// A UTF-16 file cannot hold a value that is no UTF-8: the save is refused as a whole, so no key
// of it reaches the file and what runs stays what is stored.
TEST_F(Dialogs, ASaveReplacesTheFileOnceAndOneThatFailsLeavesItByteForByte) {
    const auto utf16 = [](std::string_view text) {
        std::string bytes = "\xff\xfe";
        for (const char c : text) {
            bytes += {c, '\0'};
        }
        return bytes;
    };
    folder.Write("config.ini", utf16("[Option]\r\nBFirst=false\r\nSetTime=20\r\n"));
    OpenSettings();
    const std::string before = Config();
    const auto running = std::tuple(settings.setTime, settings.runTime, settings.workStart);
    clock.Advance(300);
    ReplaceCounter replaces(folder.Path());
    Save(true, "15", "\xff");
    EXPECT_EQ(view.messages, Texts{"! 保存失败，无法写入配置文件"});
    EXPECT_EQ(Config(), before);
    EXPECT_EQ(std::tuple(settings.setTime, settings.runTime, settings.workStart), running);
    Save(true, "15", "2");
    EXPECT_EQ(Config(), utf16("[Option]\r\nBFirst=false\r\nSetTime=15\r\nBStart=true\r\n"
                              "RunTime=2\r\n"));
    EXPECT_EQ(replaces.Count(), 1);
}

// OK, Esc and Enter are the widget test's; a dialog torn down some other way must not hold breaks
// back for ever either.
TEST_F(Dialogs,
       ALibraryHoldsBreaksBackListsEndingsDescendingAndDeletesFilesEvenReadOnlyButNoFolder) {
    Fill(folder, "Picture/", {"a.jpg", "B.PNG", "c.Bmp", "photo.jpeg", "x.gif", "abc", "s.mp3"});
    fs::create_directory(folder.Path() / "Picture" / "Old");
    fs::permissions(folder.Path() / "Picture" / "a.jpg", fs::perms::owner_read);
    {  // what an open library holds back, and for how long, is the schedule test's
        MediaLibraryPresenter pictures(kPictureLibrary, view, scheduler, paths);
        pictures.OnInitDialog();
        EXPECT_FALSE(settings.libraryClosed);
        EXPECT_EQ(view.rows, (Texts{"c.Bmp", "abc", "a.jpg", "Old", "B.PNG"}));
        pictures.OnDelete();              // no selection
        for (std::size_t row : {2, 2}) {  // a.jpg, then Old
            view.selected = row;
            pictures.OnDelete();
        }
    }
    EXPECT_TRUE(settings.libraryClosed);
    EXPECT_EQ(view.messages,
              (Texts{"! 路径错误，删除失败", "删除图片文件成功", "! 路径错误，删除失败"}));
    EXPECT_EQ(std::pair(folder.Exists("Picture/a.jpg"), folder.Exists("Picture/Old")),
              std::pair(false, true));
    EXPECT_EQ(view.rows, (Texts{"c.Bmp", "abc", "Old", "B.PNG"}));
}

TEST_F(Dialogs, ALibraryCopiesFilesInButNeverOverOneThatIsThereAndRefusesTooManyWhole) {
    folder.Write("Picture/b.jpg", "old");
    Fill(source, "", {"a.jpg", "b.jpg", "notes.txt"});
    MediaLibraryPresenter pictures(kPictureLibrary, view, scheduler, paths);
    pictures.OnInitDialog();
    view.chosen =
        Texts{source.File("notes.txt"), source.File("b.jpg"),   source.File("a.jpg"),
              source.File("none.png"),  source.Folder() + "..", folder.File("Picture/a.jpg")};
    pictures.OnAdd();
    EXPECT_EQ(std::pair(folder.Read("Picture/a.jpg"), folder.Read("Picture/b.jpg")),
              std::pair(std::string("a.jpg"), std::string("old")));
    EXPECT_EQ(view.rows, (Texts{"notes.txt", "b.jpg", "a.jpg"}));  // whatever their ending
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "Picture"), {}), 3);

    view.chosen.reset();  // Cancel: not even a message
    pictures.OnAdd();
    // The folder, each name and the end, each with a zero byte: exactly the dialog's buffer.
    const std::string folder = Utf8FromPath(source.Path());
    view.chosen = Texts{source.File("a"), source.File(std::string(3995 - folder.size(), 'b'))};
    ASSERT_EQ(SelectionBufferSize(*view.chosen), kSelectionBufferSize);
    pictures.OnAdd();
    view.chosen->back() += "b";
    pictures.OnAdd();
    EXPECT_EQ(view.messages,
              (Texts{"! 添加成功2个文件,文件已存在或拷贝失败4个文件",
                     "! 添加成功0个文件,文件已存在或拷贝失败2个文件", "! 您选择的文件过多了"}));
}

TEST_F(Dialogs, MusicAddedJoinsTheBreakPlaylistStoppedAndDeletesLeaveIt) {
    Fill(folder, "Music/", {"old.mp3"});
    Fill(source, "", {"new.mp3", "old.mp3", "two.wma"});
    MediaLibraryPresenter music(kMusicLibrary, view, scheduler, paths, player);
    music.OnInitDialog();
    player.playing = true;
    view.chosen = Texts{source.File("new.mp3"), source.File("old.mp3"), source.File("two.wma")};
    music.OnAdd();
    const Texts added{folder.File("Music/new.mp3"), folder.File("Music/two.wma")};
    EXPECT_EQ(std::pair(player.Current().items, player.playing), std::pair(added, false));
    view.selected = 2;  // two.wma, old.mp3, new.mp3
    music.OnDelete();
    EXPECT_EQ(view.messages.back(), "删除音乐文件成功");
    EXPECT_EQ(std::pair(player.Current().items, folder.Exists("Music/new.mp3")),
              std::pair(added, false));
}

}  // namespace
}  // namespace velunor
