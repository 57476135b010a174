#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace velunor {

// One Velunor per program folder: the first start listens on a local socket named after its
// folder and user; a second start of the same folder finds it there, hands it a request and ends.
// A plain second start asks for the settings (as a double-click on the tray icon would); the
// launcher's 退出 and `velunor --quit` ask it to end. On a desktop without a tray this is how the
// settings and the end are reached.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Request { ShowSettings, Quit };

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when this process is now the one running copy; false when another copy of the folder
    // runs and has been asked to show its settings.
    bool Claim();

    // Asks the running copy to end and waits until it has; false when no copy runs.
    bool AskToQuit();

signals:
    void settingsRequested();
    void quitRequested();

private:
    bool HandOver(Request request);
    void Listen();
    void Answer();
    void Read(QByteArray& received, QByteArray more);

    QString m_name;
    QLocalServer m_server;
};

}  // namespace velunor
