#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/MediaLibraryPresenter.h"
#include "support/FakeClock.h"
#include "support/FakeMediaPlayer.h"
#include "support/RecordingBreakEffects.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class RecordingLibraryView : public MediaLibraryView {
public:
    void InsertRow(std::size_t position, const std::string& name) override {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(position), name);
    }
    void RemoveRow(std::size_t position) override {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(position));
    }
    std::optional<std::size_t> SelectedRow() const override { return selected; }
    std::optional<Texts> ChooseFiles() override { return chosen; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void Close() override { ++closed; }

    // Selects the row showing name.
    void Select(const std::string& name) {
        selected =
            static_cast<std::size_t>(std::find(rows.begin(), rows.end(), name) - rows.begin());
    }

    Texts rows;
    std::optional<std::size_t> selected;
    std::optional<Texts> chosen;  // what the user picks in the file chooser; nothing = Cancel
    Texts messages;
    int closed = 0;
};

class Library : public ::testing::Test {
protected:
    Library() {
        fs::create_directory(program.Path() / "Picture");
        fs::create_directory(program.Path() / "Music");
        scheduler.StartWork();
        settings.setTime = 1;
    }
    void Fill(const std::string& folder, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            program.Write(folder + "/" + name, name);
        }
    }
    Texts Chosen(std::initializer_list<const char*> names) const {
        Texts paths;
        for (const char* name : names) {
            paths.push_back(source.File(name));
        }
        return paths;
    }

    test::TempFolder program;
    test::TempFolder source;  // where the user picks files from
    ProgramPaths paths = ProgramPaths::FromExecutable(program.Folder() + "velunor", "velunor");
    AppSettings settings;
    test::FakeClock clock;
    test::RecordingBreakEffects effects;
    BreakScheduler scheduler{settings, clock, effects};
    test::FakeMediaPlayer player;
    RecordingLibraryView view;
};

TEST_F(Library, ListsTheAcceptedNamesOfItsFolderInDescendingOrder) {
    Fill("Picture",
         {"a.jpg", "B.PNG", "c.Bmp", "photo.jpeg", "x.gif", "abc", "Thumbs.db", "fooJPG"});
    fs::create_directory(program.Path() / "Picture" / "Old");
    Fill("Music", {"song.mp3", "Tune.WMA", "a.mid", "b.wav", "c.ogg", "abc", "Thumbs.db"});

    MediaLibraryPresenter pictures(kPictureLibrary, view, scheduler, paths);
    pictures.OnInitDialog();
    EXPECT_EQ(view.rows, (Texts{"fooJPG", "c.Bmp", "abc", "a.jpg", "Old", "B.PNG"}));

    RecordingLibraryView musicView;
    MediaLibraryPresenter music(kMusicLibrary, musicView, scheduler, paths, player);
    music.OnInitDialog();
    EXPECT_EQ(musicView.rows, (Texts{"song.mp3", "abc", "a.mid", "Tune.WMA"}));

    fs::remove_all(program.Path() / "Picture");
    RecordingLibraryView emptyView;
    MediaLibraryPresenter none(kPictureLibrary, emptyView, scheduler, paths);
    none.OnInitDialog();
    EXPECT_TRUE(emptyView.rows.empty());
}

TEST_F(Library, BreaksWaitWhileItIsOpenAndTheIntervalRestartsWhenItCloses) {
    {
        MediaLibraryPresenter library(kPictureLibrary, view, scheduler, paths);
        clock.Advance(600);
        scheduler.OnScheduleTick();
        EXPECT_FALSE(scheduler.InBreak());
        library.OnDone();
        EXPECT_EQ(view.closed, 1);
        EXPECT_TRUE(settings.libraryClosed);
        EXPECT_EQ(settings.workStart, clock.Now());
        clock.Advance(59);
        scheduler.OnScheduleTick();
        EXPECT_FALSE(scheduler.InBreak());
        clock.Advance(1);
        scheduler.OnScheduleTick();
        EXPECT_TRUE(scheduler.InBreak());
        scheduler.EndBreak();
    }
    // A dialog torn down some other way does not hold breaks back for ever.
    { MediaLibraryPresenter library(kMusicLibrary, view, scheduler, paths, player); }
    EXPECT_TRUE(settings.libraryClosed);
}

TEST_F(Library, AddingCopiesNewFilesButNeverOverAnExistingOne) {
    Fill("Picture", {"b.jpg"});
    source.Write("a.jpg", "new a");
    source.Write("b.jpg", "new b");
    source.Write("notes.txt", "new notes");
    MediaLibraryPresenter library(kPictureLibrary, view, scheduler, paths);
    library.OnInitDialog();

    view.chosen = Chosen({"notes.txt", "b.jpg", "a.jpg", "missing.png"});
    library.OnAdd();
    EXPECT_EQ(view.messages, Texts{"添加成功2个文件,文件已存在或拷贝失败2个文件"});
    EXPECT_EQ(program.Read("Picture/a.jpg"), "new a");
    EXPECT_EQ(program.Read("Picture/b.jpg"), "b.jpg");
    // Shown at once, even a name the next listing would leave out.
    EXPECT_EQ(view.rows, (Texts{"notes.txt", "b.jpg", "a.jpg"}));

    // A file of the folder itself, a folder and a bare "..": all fail, nothing changes.
    view.chosen =
        Texts{program.File("Picture/a.jpg"), source.Path().string(), source.Folder() + ".."};
    library.OnAdd();
    EXPECT_EQ(view.messages.back(), "添加成功0个文件,文件已存在或拷贝失败3个文件");
    EXPECT_EQ(program.Read("Picture/a.jpg"), "new a");
    EXPECT_EQ(view.rows.size(), 3u);

    // Cancel: nothing, not even a message.
    view.chosen.reset();
    library.OnAdd();
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(Library, ASelectionBeyondTheFileDialogsBufferIsRefusedWhole) {
    // Names that do not exist: a selection that fits is tried (and fails), one that does not is
    // refused before anything is tried.
    const std::string folder = source.Path().string();
    Texts fits;
    std::size_t size = folder.size() + 2;
    while (size < kSelectionBufferSize) {
        const std::size_t length = std::min<std::size_t>(200, kSelectionBufferSize - size - 1);
        fits.push_back(folder + "/" + std::string(length, char('a' + fits.size() % 26)));
        size += length + 1;
    }
    ASSERT_EQ(SelectionBufferSize(fits), kSelectionBufferSize);
    Texts tooMany = fits;
    tooMany.back() += "x";

    MediaLibraryPresenter library(kPictureLibrary, view, scheduler, paths);
    view.chosen = fits;
    library.OnAdd();
    EXPECT_EQ(view.messages.back(),
              "添加成功0个文件,文件已存在或拷贝失败" + std::to_string(fits.size()) + "个文件");
    view.chosen = tooMany;
    library.OnAdd();
    EXPECT_EQ(view.messages.back(), "您选择的文件过多了");
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(Library, DeletingRemovesTheSelectedFileEvenWhenReadOnly) {
    Fill("Picture", {"a.jpg", "b.jpg", "c.jpg"});
    fs::create_directory(program.Path() / "Picture" / "Old");
    fs::permissions(program.Path() / "Picture" / "b.jpg", fs::perms::owner_read);
    MediaLibraryPresenter library(kPictureLibrary, view, scheduler, paths);
    library.OnInitDialog();

    library.OnDelete();  // no selection
    EXPECT_EQ(view.messages, Texts{"路径错误，删除失败"});

    view.Select("b.jpg");
    library.OnDelete();
    EXPECT_EQ(view.messages.back(), "删除图片文件成功");
    EXPECT_FALSE(program.Exists("Picture/b.jpg"));
    EXPECT_EQ(view.rows, (Texts{"c.jpg", "a.jpg", "Old"}));

    // A sub-folder is no file to delete; a file gone meanwhile keeps its row.
    view.Select("Old");
    library.OnDelete();
    EXPECT_EQ(view.messages.back(), "路径错误，删除失败");
    EXPECT_TRUE(program.Exists("Picture/Old"));
    fs::remove(program.Path() / "Picture" / "a.jpg");
    view.Select("a.jpg");
    library.OnDelete();
    EXPECT_EQ(view.messages.back(), "路径错误，删除失败");
    EXPECT_EQ(view.rows, (Texts{"c.jpg", "a.jpg", "Old"}));
    EXPECT_TRUE(program.Exists("Picture/c.jpg"));
}

TEST_F(Library, MusicAddedJoinsTheBreakPlaylistStoppedAndDeletesLeaveIt) {
    Fill("Music", {"old.mp3"});
    source.Write("new.mp3", "x");
    source.Write("old.mp3", "x");
    source.Write("two.wma", "x");
    MediaLibraryPresenter library(kMusicLibrary, view, scheduler, paths, player);
    library.OnInitDialog();
    player.TakeCalls();

    view.chosen = Chosen({"new.mp3", "old.mp3", "two.wma"});
    library.OnAdd();
    const std::string music = program.Folder() + "Music/";
    EXPECT_EQ(player.Current().items, (Texts{music + "new.mp3", music + "two.wma"}));
    EXPECT_EQ(player.TakeCalls(), (Texts{"NewMedia " + music + "new.mp3", "AppendItem ", "Stop",
                                         "NewMedia " + music + "two.wma", "AppendItem ", "Stop"}));

    view.Select("new.mp3");
    library.OnDelete();
    EXPECT_EQ(view.messages.back(), "删除音乐文件成功");
    EXPECT_FALSE(program.Exists("Music/new.mp3"));
    EXPECT_EQ(player.Current().items.size(), 2u);
    EXPECT_TRUE(player.TakeCalls().empty());
}

}  // namespace
}  // namespace velunor
