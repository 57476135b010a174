#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <cstdint>

#include "QtMediaPlayer.h"
#include "support/TempFolder.h"

// The player with a real sound server (the test runs under a private PulseAudio with a null sink).
namespace velunor {
namespace {

constexpr int kTimeoutMs = 15000;

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(char((value >> (8 * i)) & 0xFF));
    }
}

// A short mono 16-bit tone as a WAV file.
std::string ToneWav(double seconds, double frequency) {
    constexpr int kRate = 22050;
    const int samples = int(seconds * kRate);
    std::string wav = "RIFF";
    PutLittleEndian(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);  // PCM
    PutLittleEndian(wav, 1, 2);  // mono
    PutLittleEndian(wav, kRate, 4);
    PutLittleEndian(wav, kRate * 2, 4);
    PutLittleEndian(wav, 2, 2);
    PutLittleEndian(wav, 16, 2);
    wav += "data";
    PutLittleEndian(wav, samples * 2, 4);
    for (int i = 0; i < samples; ++i) {
        const double value = 0.3 * std::sin(2 * M_PI * frequency * i / kRate);
        PutLittleEndian(wav, std::uint16_t(std::int16_t(value * 32767)), 2);
    }
    return wav;
}

class QtMediaPlayerTest : public testing::Test {
protected:
    QtMediaPlayerTest() : m_started(&m_player, &QtMediaPlayer::itemStarted) {
        m_folder.Write("a.wav", ToneWav(0.3, 440));
        m_folder.Write("b.wav", ToneWav(0.3, 660));
        m_folder.Write("broken.mp3", "this is no sound at all");
    }

    void Append(PlayerPlaylist& playlist, const std::string& name) {
        playlist.AppendItem(m_player.NewMedia(m_folder.File(name)));
    }

    std::shared_ptr<PlayerPlaylist> CurrentList(std::initializer_list<std::string> names) {
        auto playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
        for (const auto& name : names) {
            Append(*playlist, name);
        }
        m_player.SetCurrentPlaylist(playlist);
        return playlist;
    }

    QStringList StartedNames() const {
        QStringList names;
        for (const auto& call : m_started) {
            names << call.at(0).toString().section(QLatin1Char('/'), -1);
        }
        return names;
    }

    bool WaitForRunEnd() {
        QSignalSpy ended(&m_player, &QtMediaPlayer::runEnded);
        return m_player.IsPlaying() ? ended.wait(kTimeoutMs) : true;
    }

    test::TempFolder m_folder;
    QtMediaPlayer m_player;
    QSignalSpy m_started;
};

TEST_F(QtMediaPlayerTest, PlaysTheListInOrderAsManyTimesAsAsked) {
    CurrentList({"a.wav", "b.wav"});
    m_player.GetSettings().SetPlayCount(2);
    m_player.GetControls().Play();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(StartedNames(), (QStringList{"a.wav", "b.wav", "a.wav", "b.wav"}));
    EXPECT_FALSE(m_player.IsPlaying());
}

TEST_F(QtMediaPlayerTest, SkipsAFileItCannotPlay) {
    CurrentList({"broken.mp3", "missing.mid", "a.wav"});
    m_player.GetSettings().SetPlayCount(1);
    m_player.GetControls().Play();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(StartedNames(), (QStringList{"broken.mp3", "missing.mid", "a.wav"}));
}

TEST_F(QtMediaPlayerTest, ListOfUnplayableFilesStopsAfterOnePass) {
    CurrentList({"broken.mp3", "missing.wma"});
    m_player.GetSettings().SetPlayCount(100'000'000);
    m_player.GetControls().Play();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(StartedNames(), (QStringList{"broken.mp3", "missing.wma"}));
}

TEST_F(QtMediaPlayerTest, StopEndsPlaybackAtOnce) {
    CurrentList({"a.wav", "b.wav"});
    m_player.GetSettings().SetPlayCount(100'000'000);
    m_player.GetControls().Play();
    EXPECT_TRUE(m_player.IsPlaying());
    m_player.GetControls().Stop();
    EXPECT_FALSE(m_player.IsPlaying());
    QTest::qWait(500);
    EXPECT_EQ(StartedNames(), QStringList{"a.wav"});
}

TEST_F(QtMediaPlayerTest, ClearedListStaysCurrentAndPlaysNothing) {
    auto playlist = CurrentList({"a.wav"});
    m_player.GetCurrentPlaylist()->Clear();
    EXPECT_EQ(m_player.GetCurrentPlaylist(), playlist);
    m_player.GetControls().Play();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_TRUE(StartedNames().isEmpty());
}

TEST_F(QtMediaPlayerTest, ItemsAppendedWhilePlayingAreReached) {
    auto playlist = CurrentList({"a.wav"});
    m_player.GetSettings().SetPlayCount(1);
    m_player.GetControls().Play();
    Append(*playlist, "b.wav");
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(StartedNames(), (QStringList{"a.wav", "b.wav"}));
}

TEST_F(QtMediaPlayerTest, VolumeRunsFromSilenceToFull) {
    m_player.GetSettings().SetVolume(0);
    EXPECT_FLOAT_EQ(m_player.OutputVolume(), 0.0f);
    m_player.GetSettings().SetVolume(50);
    EXPECT_GT(m_player.OutputVolume(), 0.0f);
    EXPECT_LT(m_player.OutputVolume(), 1.0f);
    m_player.GetSettings().SetVolume(100);
    EXPECT_FLOAT_EQ(m_player.OutputVolume(), 1.0f);
}

TEST_F(QtMediaPlayerTest, NewPlaylistBecomesCurrentOnlyWhenSet) {
    const auto before = m_player.GetCurrentPlaylist();
    ASSERT_NE(before, nullptr);
    const auto created = m_player.GetPlaylistCollection().NewPlaylist("first");
    EXPECT_EQ(m_player.GetCurrentPlaylist(), before);
    m_player.SetCurrentPlaylist(created);
    EXPECT_EQ(m_player.GetCurrentPlaylist(), created);
}

}  // namespace
}  // namespace velunor
