#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

namespace velunor {
namespace {
constexpr int kConnectMs = 1000;
constexpr QByteArrayView kShowSettings = "settings\n";
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
    if (HandOver()) {
        return false;
    }
    Listen();
    return true;
}

bool SingleInstance::HandOver() {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs)) {
        return false;
    }
    socket.write(kShowSettings.data(), kShowSettings.size());
    return socket.waitForBytesWritten(kConnectMs);
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

// The settings open once the request has been read and the caller let go; the dialog's own loop
// then runs outside this handler.
void SingleInstance::Answer() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kShowSettings.toByteArray())) {
                QMetaObject::invokeMethod(this, &SingleInstance::settingsRequested,
                                          Qt::QueuedConnection);
            }
        });
        if (socket->bytesAvailable() > 0) {
            emit socket->readyRead();
        }
    }
}

}  // namespace velunor
