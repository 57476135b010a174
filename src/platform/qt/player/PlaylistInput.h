#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>

namespace velunor {

// The player's standard input: first the files to play, each name followed by a NUL byte and the
// list closed by an empty name, then nothing until the end. The program keeps its end of the pipe
// open while the music should play; closing it, or dying, ends the player, so a player can never
// outlive its program. A list of any length fits, where a command line would not.
class PlaylistInput : public QObject {
    Q_OBJECT

public:
    explicit PlaylistInput(QObject* parent = nullptr);

signals:
    void listReceived(const QStringList& files);
    void ended();

private:
    void Read();
    void TakeList();

    QSocketNotifier m_notifier;
    QByteArray m_pending;
    bool m_listTaken = false;
};

}  // namespace velunor
