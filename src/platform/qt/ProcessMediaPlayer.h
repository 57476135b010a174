#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

#include "music/MediaPlayer.h"
#include "music/MediaPlayerPlaylists.h"

namespace velunor {

// The break music player as the program sees it: the playlists, the volume and the repeat count
// are plain data here, and each Play hands the current list to a player program of its own
// (velunor-player) that lives only while the music plays. The media backend and its codecs thus
// load only into that short-lived process, never into the tray program.
class ProcessMediaPlayer : public QObject,
                           public MediaPlayerPlaylists,
                           private PlayerControls,
                           private PlayerSettings {
    Q_OBJECT

public:
    // helperPath is the player program; by default the one beside the running executable.
    explicit ProcessMediaPlayer(QString helperPath = HelperBesideExecutable(),
                                QObject* parent = nullptr);
    ~ProcessMediaPlayer() override;

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }

    static QString HelperBesideExecutable();

private:
    void Play() override;
    void Stop() override;
    void SetVolume(int volume) override { m_volume = volume; }
    void SetPlayCount(int count) override { m_playCount = count; }

    QStringList HelperArguments() const;
    QByteArray ListForInput() const;
    void OnHelperError(QProcess& helper, QProcess::ProcessError error) const;

    const QString m_helperPath;
    int m_volume = 100;
    int m_playCount = 1;
    // The helper of the music playing now; those told to stop finish on their own.
    QPointer<QProcess> m_helper;
};

}  // namespace velunor
