#include "QtMediaPlayer.h"

#include <QAudio>
#include <QUrl>
#include <algorithm>

namespace velunor {

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {
    NewEngine();
}

// Qt's GStreamer engine that failed on one file fails every file after it ("Internal data stream
// error"), so a failure costs the engine; the old one goes with all its pending reports.
void QtMediaPlayer::NewEngine() {
    m_engine = std::make_unique<QMediaPlayer>();
    m_engine->setAudioOutput(&m_output);
    connect(m_engine.get(), &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::OnMediaStatus);
    connect(m_engine.get(), &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::OnFailure);
    connect(m_engine.get(), &QMediaPlayer::positionChanged, this, &QtMediaPlayer::OnPosition);
    m_engineFailed = false;
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
    m_engine->stop();
    m_engine->setSource(QUrl());
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
    if (m_engineFailed) {
        NewEngine();
    }
    m_sounding = false;
    m_engine->setSource(QUrl::fromLocalFile(QString::fromStdString(Current().PathAt(*index))));
    m_engine->play();
}

void QtMediaPlayer::OnPosition(qint64 position) {
    if (position <= 0 || m_sounding || !m_queue.Active()) {
        return;
    }
    m_sounding = true;
    m_queue.MarkPlayed();
    emit itemSounding(m_engine->source().toLocalFile());
}

void QtMediaPlayer::OnMediaStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia) {
        m_queue.MarkPlayed();
        AdvanceLater();
    } else if (status == QMediaPlayer::InvalidMedia) {
        OnFailure();
    }
}

void QtMediaPlayer::OnFailure() {
    m_engineFailed = true;
    AdvanceLater();
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
