#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace velunor {

// One Velunor per program folder: the first start listens on a local socket named after its
// folder and user; a second start of the same folder finds it there, asks it to show its
// settings (as a double-click on the tray icon would) and ends. On a desktop without a tray this
// is how the settings are reached.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when this process is now the one running copy; false when another copy of the folder
    // runs and has been asked to show its settings.
    bool Claim();

signals:
    void settingsRequested();

private:
    bool HandOver();
    void Listen();
    void Answer();

    QString m_name;
    QLocalServer m_server;
};

}  // namespace velunor
