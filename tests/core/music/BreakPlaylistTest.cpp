#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "music/BreakPlaylist.h"
#include "support/FakeMediaPlayer.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using Names = std::vector<std::string>;

class BreakMusic : public ::testing::Test {
protected:
    void AddMusic(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            folder.Write(std::string("Music/") + name, "x");
        }
    }
    // The current playlist as names inside the Music folder.
    Names Playing() const {
        Names names;
        const std::string prefix = folder.Folder() + "Music/";
        for (const auto& path : player.Current().items) {
            EXPECT_EQ(path.substr(0, prefix.size()), prefix);
            names.push_back(path.substr(prefix.size()));
        }
        return names;
    }

    test::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    test::FakeMediaPlayer player;
    BreakPlaylist playlist{player, paths};
};

TEST_F(BreakMusic, StartUpPreparesAStoppedFullVolumePlaylistOfTheFoldersMusic) {
    AddMusic({"c.WMA", "b.txt", "a.mp3"});
    playlist.PrepareAtStartup();
    EXPECT_EQ(player.Current().name, "first");
    EXPECT_EQ(Playing(), (Names{"a.mp3", "c.WMA"}));
    const std::string music = folder.Folder() + "Music/";
    EXPECT_EQ(player.TakeCalls(),
              (Names{"NewPlaylist first", "NewMedia " + music + "a.mp3", "AppendItem first",
                     "NewMedia " + music + "c.WMA", "AppendItem first", "SetCurrentPlaylist first",
                     "SetVolume 100", "SetPlayCount 100000000", "Stop"}));
}

TEST_F(BreakMusic, TheFirstBreakHoldsTheMusicTwiceAndLaterBreaksOnce) {
    AddMusic({"a.mp3", "b.mid"});
    playlist.PrepareAtStartup();
    player.TakeCalls();

    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"a.mp3", "b.mid", "a.mp3", "b.mid"}));
    EXPECT_TRUE(player.playing);
    const auto calls = player.TakeCalls();
    EXPECT_EQ(
        Names(calls.end() - 4, calls.end()),
        (Names{"SetCurrentPlaylist first", "SetVolume 100", "SetPlayCount 100000000", "Play"}));

    playlist.EndBreakMusic();
    EXPECT_EQ(player.TakeCalls(), (Names{"Stop", "Clear first"}));
    EXPECT_TRUE(Playing().empty());
    EXPECT_EQ(player.Current().name, "first");

    // Files added between breaks join the next one.
    AddMusic({"0.mp3"});
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"0.mp3", "a.mp3", "b.mid"}));
}

TEST_F(BreakMusic, AFolderStartingWithARejectedNameLeavesTheCursorPastTheFirstFileAdded) {
    AddMusic({"b.txt", "c.mp3", "d.mid"});
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"c.mp3", "d.mid"}));

    // A break that ended without rewinding (only stopped) starts the next at the cursor, just
    // past c.mp3, and wraps around the listing.
    playlist.StopBreakMusic();
    player.GetCurrentPlaylist()->Clear();
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"d.mid", "c.mp3"}));

    // Now the cursor stands past the listing's last entry: the walk starts again at the top.
    player.GetCurrentPlaylist()->Clear();
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"c.mp3", "d.mid"}));

    playlist.EndBreakMusic();
    AddMusic({"a.mp3"});
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"a.mp3", "c.mp3", "d.mid"}));
}

TEST_F(BreakMusic, ShortSubFoldersCountAsMusicAndOtherEntriesAreLeftOut) {
    AddMusic({"x.ogg", "song.Mp3", "xmp3", "tune.wav"});
    std::filesystem::create_directories(folder.Path() / "Music" / "Old");
    std::filesystem::create_directories(folder.Path() / "Music" / "Oldies");
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"Old", "song.Mp3", "xmp3"}));
}

TEST_F(BreakMusic, AFolderWithoutMusicEndsTheScanWithAnUnchangedPlaylist) {
    AddMusic({"a.txt", "b.wav", "notes.doc"});
    playlist.PrepareAtStartup();
    playlist.StartBreakMusic();
    EXPECT_TRUE(Playing().empty());
    EXPECT_TRUE(player.playing);

    std::filesystem::remove_all(folder.Path() / "Music");
    playlist.EndBreakMusic();
    playlist.StartBreakMusic();
    EXPECT_TRUE(Playing().empty());
    EXPECT_TRUE(player.playing);
}

}  // namespace
}  // namespace velunor
