#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "session/RemoteRequest.h"

class QLocalSocket;

namespace velunor {

// One Velunor per program folder: the first start listens on a local socket named after its
// folder and user; a second start of the same folder finds it there, hands it a request (one
// line: RemoteRequest's channel form) and ends. A plain second start asks for the settings (as a
// double-click on the tray icon would); the launcher's 退出 and `velunor --quit` ask it to end,
// and `velunor --pause MINUTES` and the like steer its breaks. On a desktop without a tray this
// is how the settings and the end are reached.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<RequestOutcome(const RemoteRequest&)>;

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // How the running copy carries out a request; called from the event loop.
    void SetHandler(Handler handler) { m_handler = std::move(handler); }

    // True when this process is now the one running copy; false when another copy of the folder
    // runs and has been asked to show its settings.
    bool Claim();

    // Hands the request to the running copy and returns once it is done: the settings once
    // handed over, the end once the copy has ended, the rest with the copy's answer. Nothing when
    // no copy runs or it did not answer in time.
    std::optional<RequestOutcome> Ask(const RemoteRequest& request);

private:
    void Listen();
    void Answer();
    void Read(QLocalSocket* socket, QByteArray& received);

    QString m_name;
    QLocalServer m_server;
    Handler m_handler;
};

}  // namespace velunor
