#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "QtMediaPlayer.h"
#include "support/TempFolder.h"

// The player with a real sound server (the test runs under a private PulseAudio with a null sink).
namespace velunor {
namespace {

class QtMediaPlayerTest : public testing::Test {
protected:
    // Half a second of a tone each, and files that only carry a music file's name.
    static void SetUpTestSuite() {
        for (const char* good : {"good.mp3", "good.wma"}) {
            const std::string command =
                "ffmpeg -loglevel error -nostdin -f lavfi -i sine=duration=0.5 -ac 2 '" +
                s_folder->File(good) + "'";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        s_folder->Write("corrupt.mp3", std::string(2000, '\x5a'));
        s_folder->Write("corrupt.wma", std::string(2000, '\x5a'));
    }

    QtMediaPlayerTest() : m_sounding(&m_player, &QtMediaPlayer::itemSounding) {}

    void Append(PlayerPlaylist& playlist, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            playlist.AppendItem(m_player.NewMedia(s_folder->File(name)));
        }
    }

    // Plays the current list count times and names the files heard, in order.
    std::string PlayToTheEnd(
        int count, const std::function<void()>& whilePlaying = [] {}) {
        m_sounding.clear();
        QSignalSpy ended(&m_player, &QtMediaPlayer::runEnded);
        m_player.GetSettings().SetPlayCount(count);
        m_player.GetControls().Play();
        whilePlaying();
        EXPECT_TRUE(ended.count() > 0 || ended.wait(30000));
        EXPECT_FALSE(m_player.IsPlaying());
        QStringList names;
        for (const auto& call : m_sounding) {
            names << call.at(0).toString().section(QLatin1Char('/'), -1);
        }
        return names.join(QLatin1Char(' ')).toStdString();
    }

    static inline std::unique_ptr<test::TempFolder> s_folder = std::make_unique<test::TempFolder>();
    QtMediaPlayer m_player;
    QSignalSpy m_sounding;
};

// A file that cannot be played must not cost the ones after it; a list that grows while it plays
// plays the new items too.
TEST_F(QtMediaPlayerTest, PlaysEveryPlayableFileInOrderCountTimesAndNothingWhenNoneIs) {
    const auto playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
    Append(*playlist, {"corrupt.mp3", "good.mp3", "corrupt.wma"});
    m_player.SetCurrentPlaylist(playlist);
    EXPECT_EQ(PlayToTheEnd(2, [&] { Append(*playlist, {"good.wma"}); }),
              "good.mp3 good.wma good.mp3 good.wma");
    EXPECT_EQ(PlayToTheEnd(0), "good.mp3 good.wma");  // once at least

    // However often a list with nothing playable was to be played: nothing keeps trying, and the
    // player sits idle.
    playlist->Clear();
    Append(*playlist, {"corrupt.mp3", "missing.wma", "corrupt.wma"});
    EXPECT_EQ(PlayToTheEnd(100'000'000), "");
    const std::clock_t cpuBefore = std::clock();  // the whole process's processor time
    QTest::qWait(1000);
    EXPECT_LT(double(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 0.1);

    playlist->Clear();
    EXPECT_EQ(PlayToTheEnd(1), "");
}

}  // namespace
}  // namespace velunor
