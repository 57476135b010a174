#include "QtMediaPlayer.h"

#include <QAudio>
#include <QUrl>
#include <algorithm>

namespace velunor {

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {
    m_engine.setAudioOutput(&m_output);
    connect(&m_engine, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::OnMediaStatus);
    connect(&m_engine, &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::AdvanceLater);
    connect(&m_engine, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (position > 0) {
            m_queue.MarkPlayed();
        }
    });
}

void QtMediaPlayer::Play() {
    PlayItem(m_queue.Start(Current().ItemCount(), m_playCount));
}

void QtMediaPlayer::Stop() {
    const bool wasPlaying = m_queue.Active();
    m_queue.Stop();
    ++m_itemSerial;
    ReleaseEngine();
    if (wasPlaying) {
        emit runEnded();
    }
}

// An engine without a source lets go of its decoder and its audio stream between breaks.
void QtMediaPlayer::ReleaseEngine() {
    m_engine.stop();
    m_engine.setSource(QUrl());
}

// The player's scale is the loudness people hear; Qt's output wants a linear factor.
void QtMediaPlayer::SetVolume(int volume) {
    const float level = float(std::clamp(volume, 0, 100)) / 100.0f;
    m_output.setVolume(
        QAudio::convertVolume(level, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale));
}

void QtMediaPlayer::SetPlayCount(int count) {
    m_playCount = count;
}

void QtMediaPlayer::PlayItem(std::optional<std::size_t> index) {
    ++m_itemSerial;
    if (!index || *index >= Current().ItemCount()) {
        m_queue.Stop();
        ReleaseEngine();
        emit runEnded();
        return;
    }
    const QString path = QString::fromStdString(Current().PathAt(*index));
    m_engine.setSource(QUrl::fromLocalFile(path));
    m_engine.play();
    emit itemStarted(path);
}

void QtMediaPlayer::OnMediaStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) {
        m_queue.MarkPlayed();
        AdvanceLater();
    } else if (status == QMediaPlayer::InvalidMedia) {
        AdvanceLater();
    }
}

// The engine reports an item's end or failure from inside its own processing; the next source
// is set once that has returned. A failure reported both as an error and as invalid media
// advances only once, because the second report carries an outdated serial.
void QtMediaPlayer::AdvanceLater() {
    if (!m_queue.Active()) {
        return;
    }
    const unsigned serial = m_itemSerial;
    QMetaObject::invokeMethod(
        this, [this, serial] { Advance(serial); }, Qt::QueuedConnection);
}

void QtMediaPlayer::Advance(unsigned itemSerial) {
    if (itemSerial != m_itemSerial || !m_queue.Active()) {
        return;
    }
    PlayItem(m_queue.Next(Current().ItemCount()));
}

}  // namespace velunor
