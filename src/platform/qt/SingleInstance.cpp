#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <memory>

namespace velunor {
namespace {
constexpr int kConnectMs = 1000;
// Ending lets the renderer and the music go first; a copy that takes longer than this is stuck.
constexpr int kQuitMs = 15000;
constexpr QByteArrayView kShowSettings = "settings\n";
constexpr QByteArrayView kQuit = "quit\n";
}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::Answer);
}

// Two copies started at the same moment take turns, so that exactly one of them listens.
bool SingleInstance::Claim() {
    QLockFile turn(QDir::temp().filePath(m_name + QStringLiteral(".lock")));
    turn.lock();
    if (HandOver(Request::ShowSettings)) {
        return false;
    }
    Listen();
    return true;
}

bool SingleInstance::AskToQuit() {
    return HandOver(Request::Quit);
}

// The running copy keeps the connection until its process ends, so a quit request is done when
// the connection closes.
bool SingleInstance::HandOver(Request request) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs)) {
        return false;
    }
    const QByteArrayView message = request == Request::Quit ? kQuit : kShowSettings;
    socket.write(message.data(), message.size());
    if (!socket.waitForBytesWritten(kConnectMs)) {
        return false;
    }
    return request != Request::Quit || socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(kQuitMs);
}

// A socket that nobody answered on is what a crashed copy left behind; it is taken over. A copy
// that cannot listen runs anyway: a second start would then run beside it, not fail to run.
void SingleInstance::Listen() {
    QLocalServer::removeServer(m_name);
    if (!m_server.listen(m_name)) {
        qWarning("velunor: a second start cannot reach this one: %s",
                 qPrintable(m_server.errorString()));
    }
}

void SingleInstance::Answer() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, received] { Read(*received, socket->readAll()); });
        if (socket->bytesAvailable() > 0) {
            emit socket->readyRead();
        }
    }
}

// The request is acted on once it has been read and the caller let go of this handler; the
// settings dialog's own loop, or the end, then comes from the event loop.
void SingleInstance::Read(QByteArray& received, QByteArray more) {
    received += more;
    if (received.contains(kQuit.toByteArray())) {
        QMetaObject::invokeMethod(this, &SingleInstance::quitRequested, Qt::QueuedConnection);
    } else if (received.contains(kShowSettings.toByteArray())) {
        QMetaObject::invokeMethod(this, &SingleInstance::settingsRequested, Qt::QueuedConnection);
    } else {
        return;
    }
    received.clear();
}

}  // namespace velunor
