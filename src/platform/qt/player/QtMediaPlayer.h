#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <memory>
#include <optional>

#include "music/MediaPlayer.h"
#include "music/MediaPlayerPlaylists.h"
#include "music/PlaybackQueue.h"

namespace velunor {

// The break music player on Qt Multimedia. Qt's player plays one source at a time, so the
// playlists, the repeat count and the walk through the current list live here; a file that
// cannot be played is skipped, and the files after it play.
class QtMediaPlayer : public QObject,
                      public MediaPlayerPlaylists,
                      private PlayerControls,
                      private PlayerSettings {
    Q_OBJECT

public:
    explicit QtMediaPlayer(QObject* parent = nullptr);

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }

    bool IsPlaying() const { return m_queue.Active(); }

signals:
    // The item's sound has begun (its position moved); an item that cannot be played never says so.
    void itemSounding(const QString& path);
    // The run of the current playlist is over: stopped, played its count, or nothing playable.
    void runEnded();

private:
    void Play() override;
    void Stop() override;
    void SetVolume(int volume) override;
    void SetPlayCount(int count) override;

    void PlayItem(std::optional<std::size_t> index);
    void ReleaseEngine();
    void NewEngine();
    void OnPosition(qint64 position);
    void OnMediaStatus(QMediaPlayer::MediaStatus status);
    void OnFailure();
    void AdvanceLater();
    void Advance(unsigned itemSerial);

    QAudioOutput m_output;
    std::unique_ptr<QMediaPlayer> m_engine;
    // The current item failed: the engine is spent and a new one plays the next item.
    bool m_engineFailed = false;
    // The current item's sound has begun.
    bool m_sounding = false;
    PlaybackQueue m_queue;
    int m_playCount = 1;
    // Counts the items started, so that an item's late end or error cannot advance a newer one.
    unsigned m_itemSerial = 0;
};

}  // namespace velunor
