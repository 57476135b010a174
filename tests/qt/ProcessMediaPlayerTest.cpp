#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "ProcessMediaPlayer.h"
#include "support/TempFolder.h"

// The program's side of the music player, with shell scripts standing in for velunor-player: each
// records its process id and arguments in the folder it lies in.
namespace velunor {
namespace {

// Reads its input until the end, as the real player does, and keeps it with a line for each NUL.
constexpr const char* kListeningHelper = "exec tr '\\000' '\\n' >\"${0%/*}/list\"\n";
// Pays no attention to its input and would play on for ten minutes.
constexpr const char* kDeafHelper = "exec sleep 600 </dev/null\n";

bool Running(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string skipped, state;
    return stat >> skipped >> skipped >> state && state != "Z";
}

// Waits with QTest::qWaitFor (five seconds unless told): the QTRY_ macros report to a log gtest
// does not read.
class ProcessMediaPlayerTest : public testing::Test {
protected:
    std::unique_ptr<ProcessMediaPlayer> PlayerWith(const char* body) {
        const std::string script = m_folder.File("velunor-player");
        m_folder.Write("velunor-player",
                       std::string("#!/bin/sh\necho $$ >>\"${0%/*}/pids\"\n"
                                   "printf '%s\\n' \"$@\" >\"${0%/*}/arguments\"\n") +
                           body);
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        auto player = std::make_unique<ProcessMediaPlayer>(QString::fromStdString(script));
        const auto playlist = player->GetPlaylistCollection().NewPlaylist("first");
        playlist->AppendItem(player->NewMedia("/music/a b.mp3"));
        player->SetCurrentPlaylist(playlist);
        return player;
    }

    // The helpers started so far, oldest first.
    std::vector<int> Pids() {
        std::ifstream file(m_folder.File("pids"));
        std::vector<int> pids;
        for (int pid = 0; file >> pid;) {
            pids.push_back(pid);
        }
        return pids;
    }

    test::TempFolder m_folder;
};

TEST_F(ProcessMediaPlayerTest, EachPlayHandsTheListToOneHelperThatEndsWithStopOrThePlayer) {
    auto player = PlayerWith(kListeningHelper);
    player->GetSettings().SetVolume(40);
    player->GetSettings().SetPlayCount(3);
    // More names than a command line can hold.
    const std::string longName = "/music/" + std::string(120, 'x') + ".mp3";
    for (int i = 0; i < 30000; ++i) {
        player->GetCurrentPlaylist()->AppendItem(player->NewMedia(longName));
    }
    player->GetControls().Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pids().size() == 1; }));
    EXPECT_EQ(m_folder.Read("arguments"), "--volume\n40\n--count\n3\n");

    player->GetControls().Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pids().size() == 2; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Running(Pids()[0]); }, 1000));
    EXPECT_TRUE(Running(Pids()[1]));
    const std::string list = m_folder.Read("list");
    EXPECT_EQ(list.substr(0, 15), "/music/a b.mp3\n");
    EXPECT_EQ(list.size(), 15 + 30000 * (longName.size() + 1) + 1);
    EXPECT_EQ(list.substr(list.size() - 2), "\n\n");
    player->GetControls().Stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Running(Pids()[1]); }, 1000));

    player->GetControls().Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pids().size() == 3; }));
    player.reset();
    EXPECT_FALSE(Running(Pids()[2]));
}

TEST_F(ProcessMediaPlayerTest, ADeafHelperIsKilledAndAMissingOneOrAnEmptyListMeansSilence) {
    auto player = PlayerWith(kDeafHelper);
    player->GetControls().Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pids().size() == 1; }));
    player->GetControls().Stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Running(Pids()[0]); }, 4000));

    player->GetCurrentPlaylist()->Clear();
    player->GetControls().Play();
    QTest::qWait(300);
    EXPECT_EQ(Pids().size(), 1u);

    player = PlayerWith("");  // and then gone
    std::filesystem::remove(m_folder.File("velunor-player"));
    player->GetControls().Play();
    QTest::qWait(100);
    player->GetControls().Stop();
    player->GetControls().Play();
}

}  // namespace
}  // namespace velunor
