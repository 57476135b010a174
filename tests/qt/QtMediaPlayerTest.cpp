#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>

#include "QtMediaPlayer.h"
#include "support/TempFolder.h"

// The player with a real sound server (the test runs under a private PulseAudio with a null sink).
namespace velunor {
namespace {

// 0.3 seconds of silence as a WAV file: 22050 mono 16-bit samples a second.
std::string SilentWav() {
    const std::string header(
        "RIFF\xd2\x33\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0"
        "\x02\0\x10\0"
        "data\xae\x33\0\0",
        44);
    return header + std::string(0x33ae, '\0');
}

class QtMediaPlayerTest : public testing::Test {
protected:
    QtMediaPlayerTest() : m_started(&m_player, &QtMediaPlayer::itemStarted) {
        m_folder.Write("a.wav", SilentWav());
        m_folder.Write("b.wav", SilentWav());
        m_folder.Write("broken.mp3", "this is no sound at all");
    }

    void Append(PlayerPlaylist& playlist, const char* name) {
        playlist.AppendItem(m_player.NewMedia(m_folder.File(name)));
    }

    // Plays the current list count times and names the files started, in order.
    QStringList PlayToTheEnd(
        int count, const std::function<void()>& whilePlaying = [] {}) {
        m_started.clear();
        QSignalSpy ended(&m_player, &QtMediaPlayer::runEnded);
        m_player.GetSettings().SetPlayCount(count);
        m_player.GetControls().Play();
        whilePlaying();
        EXPECT_TRUE(ended.count() > 0 || ended.wait(15000));
        EXPECT_FALSE(m_player.IsPlaying());
        QStringList names;
        for (const auto& call : m_started) {
            names << call.at(0).toString().section(QLatin1Char('/'), -1);
        }
        return names;
    }

    test::TempFolder m_folder;
    QtMediaPlayer m_player;
    QSignalSpy m_started;
};

TEST_F(QtMediaPlayerTest, PlaysTheCurrentListInOrderCountTimesSkippingWhatItCannotPlay) {
    const auto playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
    for (const char* name : {"a.wav", "broken.mp3"}) {
        Append(*playlist, name);
    }
    EXPECT_NE(m_player.GetCurrentPlaylist(), playlist);
    m_player.SetCurrentPlaylist(playlist);
    EXPECT_EQ(PlayToTheEnd(2, [&] { Append(*playlist, "b.wav"); }),
              (QStringList{"a.wav", "broken.mp3", "b.wav", "a.wav", "broken.mp3", "b.wav"}));
    EXPECT_EQ(PlayToTheEnd(0), (QStringList{"a.wav", "broken.mp3", "b.wav"}));  // once at least
}

TEST_F(QtMediaPlayerTest, APassWithoutSoundEndsTheRunAndAClearedListPlaysNothing) {
    const auto playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
    Append(*playlist, "broken.mp3");
    Append(*playlist, "missing.wma");
    m_player.SetCurrentPlaylist(playlist);
    EXPECT_EQ(PlayToTheEnd(100'000'000), (QStringList{"broken.mp3", "missing.wma"}));

    playlist->Clear();
    EXPECT_EQ(m_player.GetCurrentPlaylist(), playlist);
    EXPECT_EQ(PlayToTheEnd(1), QStringList{});
}

}  // namespace
}  // namespace velunor
