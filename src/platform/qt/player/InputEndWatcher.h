#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace velunor {

// Tells when standard input reaches its end. The program that starts the player keeps the other
// end of the pipe open while the music should play; closing it, or dying, ends the player, so a
// player can never outlive its program.
class InputEndWatcher : public QObject {
    Q_OBJECT

public:
    explicit InputEndWatcher(QObject* parent = nullptr);

signals:
    void ended();

private:
    void Drain();

    QSocketNotifier m_notifier;
};

}  // namespace velunor
