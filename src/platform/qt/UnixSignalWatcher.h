#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace velunor {

// Turns SIGTERM and SIGINT into a Qt signal on the GUI thread, so that a logout or a Ctrl+C ends
// the program the same way its 退出 command does. The handler only writes one byte into a socket
// pair; everything else happens in the event loop.
class UnixSignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit UnixSignalWatcher(QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

signals:
    void terminationRequested();

private:
    static void Handle(int signalNumber);
    void Drain();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace velunor
