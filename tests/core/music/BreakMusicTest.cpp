#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "music/BreakPlaylist.h"
#include "music/MediaFileName.h"
#include "support/FakeMediaPlayer.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using Names = std::vector<std::string>;

TEST(MusicFileName, ShortNamesPassAndLongerOnesByTheirLastThreeBytes) {
    for (const char* name : {"a.mp3", "song.Mp3", "x.WMA", "x.mid", "xmp3", "Old", "abcd", ""}) {
        EXPECT_TRUE(IsMusicFileName(name)) << name;
    }
    for (const char* name : {"abcde", "x.wav", "Oldies", "mp3.txt", "song.mp3 "}) {
        EXPECT_FALSE(IsMusicFileName(name)) << name;
    }
}

class BreakMusic : public ::testing::Test {
protected:
    test::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    test::FakeMediaPlayer player;

    void Add(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            folder.Write(std::string("Music/") + name, "x");
        }
    }
    // The current playlist as names in the Music folder.
    Names Playing() const {
        Names names;
        for (const auto& path : player.Current().items) {
            names.push_back(path.substr(folder.Folder().size() + 6));
            EXPECT_EQ(path, folder.File("Music/" + names.back()));
        }
        return names;
    }

    BreakPlaylist playlist{player, paths};
};

TEST_F(BreakMusic, TheFirstBreakHoldsTheMusicTwiceAndEachEndStopsClearsAndRewinds) {
    Add({"b.mp3", "B.mid", "a.txt", "轻音乐.mp3"});
    playlist.PrepareAtStartup();
    EXPECT_EQ(player.Current().name, "first");
    EXPECT_EQ(Playing(), (Names{"B.mid", "b.mp3", "轻音乐.mp3"}));  // sorted by bytes
    EXPECT_EQ(std::tuple(player.playing, player.volume, player.playCount),
              std::tuple(false, 100, 100'000'000));
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"B.mid", "b.mp3", "轻音乐.mp3", "B.mid", "b.mp3", "轻音乐.mp3"}));
    EXPECT_TRUE(player.playing);

    playlist.EndBreakMusic();
    EXPECT_EQ(std::tuple(player.playing, Playing()), std::tuple(false, Names{}));
    Add({"0.mp3"});
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"0.mp3", "B.mid", "b.mp3", "轻音乐.mp3"}));
}

TEST_F(BreakMusic, ABreakNotRewoundStartsPastTheFirstFileItAddedAndWrapsAround) {
    Add({"b.txt", "a.wav"});  // no music at all: an empty playlist, playing
    BreakPlaylist{player, paths}.StartBreakMusic();
    EXPECT_EQ(std::tuple(player.playing, Playing()), std::tuple(true, Names{}));
    Add({"c.mp3", "d.mid"});
    std::filesystem::create_directories(folder.Path() / "Music" / "Old");
    std::filesystem::create_directories(folder.Path() / "Music" / "Oldies");
    playlist.StartBreakMusic();
    EXPECT_EQ(Playing(), (Names{"Old", "c.mp3", "d.mid"}));
    for (const Names& next : {Names{"c.mp3", "d.mid", "Old"}, Names{"d.mid", "Old", "c.mp3"},
                              Names{"Old", "c.mp3", "d.mid"}}) {
        player.GetCurrentPlaylist()->Clear();
        playlist.StartBreakMusic();
        EXPECT_EQ(Playing(), next);
    }
}

}  // namespace
}  // namespace velunor
