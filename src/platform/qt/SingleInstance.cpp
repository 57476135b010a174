#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace velunor {
namespace {
constexpr int kConnectMs = 1000;
// Ending lets the renderer and the music go first; a copy that takes longer than this is stuck.
constexpr int kQuitMs = 15000;
// The running copy answers from its event loop, which nothing holds up for long.
constexpr int kAnswerMs = 5000;
constexpr QByteArrayView kDone = "done";
constexpr QByteArrayView kRefused = "refused";

// The settings are shown in a dialog of their own loop, and the end ends the copy: neither has
// an answer to wait for.
bool Answered(RemoteRequest::Kind kind) {
    return kind != RemoteRequest::Kind::Settings && kind != RemoteRequest::Kind::Quit;
}
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
    if (Ask(RemoteRequest{})) {
        return false;
    }
    Listen();
    return true;
}

// The running copy keeps the connection until its process ends, so a quit request is done when
// the connection closes.
std::optional<RequestOutcome> SingleInstance::Ask(const RemoteRequest& request) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs)) {
        return std::nullopt;
    }
    socket.write(QByteArray::fromStdString(request.ToLine() + '\n'));
    if (!socket.waitForBytesWritten(kConnectMs)) {
        return std::nullopt;
    }
    if (request.kind == RemoteRequest::Kind::Quit) {
        const bool ended =
            socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(kQuitMs);
        return ended ? std::optional(RequestOutcome::Done) : std::nullopt;
    }
    if (!Answered(request.kind)) {
        return RequestOutcome::Done;
    }
    while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerMs)) {
    }
    if (!socket.canReadLine()) {
        return std::nullopt;
    }
    return socket.readLine().trimmed() == kRefused ? RequestOutcome::Refused : RequestOutcome::Done;
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
                [this, socket, received] { Read(socket, *received); });
        if (socket->bytesAvailable() > 0) {
            emit socket->readyRead();
        }
    }
}

// A request is acted on once it has been read and the caller let go of this handler; the
// settings dialog's own loop, or the end, then comes from the event loop. A line no version of
// the program sends is passed over.
void SingleInstance::Read(QLocalSocket* socket, QByteArray& received) {
    received += socket->readAll();
    for (qsizetype end = received.indexOf('\n'); end >= 0; end = received.indexOf('\n')) {
        const auto request = RemoteRequest::FromLine(received.first(end).toStdString());
        received.remove(0, end + 1);
        if (!request) {
            continue;
        }
        QTimer::singleShot(
            0, this, [this, request = *request, caller = QPointer<QLocalSocket>(socket)] {
                const RequestOutcome outcome =
                    m_handler ? m_handler(request) : RequestOutcome::Done;
                if (caller && Answered(request.kind)) {
                    caller->write(
                        (outcome == RequestOutcome::Done ? kDone : kRefused).toByteArray() + '\n');
                    caller->flush();
                }
            });
    }
}

}  // namespace velunor
