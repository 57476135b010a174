#include "UnixSignalWatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace velunor {
namespace {

// Shared with the signal handler, which may touch nothing but plain data: [0] is the end it
// writes to, [1] the end the event loop reads.
int g_sockets[2] = {-1, -1};

constexpr std::array kSignals = {SIGTERM, SIGINT};

void InstallHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signalNumber, &action, nullptr);
}

}  // namespace

UnixSignalWatcher::UnixSignalWatcher(QObject* parent) : QObject(parent) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sockets) != 0) {
        return;
    }
    // A burst of signals must never block the handler; one byte waiting is enough.
    fcntl(g_sockets[0], F_SETFL, O_NONBLOCK);
    fcntl(g_sockets[1], F_SETFL, O_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(g_sockets[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &UnixSignalWatcher::Drain);
    for (int signalNumber : kSignals) {
        InstallHandler(signalNumber, &UnixSignalWatcher::Handle);
    }
}

UnixSignalWatcher::~UnixSignalWatcher() {
    if (!m_notifier) {
        return;
    }
    for (int signalNumber : kSignals) {
        InstallHandler(signalNumber, SIG_DFL);
    }
    m_notifier.reset();
    close(g_sockets[0]);
    close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void UnixSignalWatcher::Handle(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_sockets[0], &byte, 1);
    errno = savedErrno;
}

void UnixSignalWatcher::Drain() {
    std::array<char, 64> bytes{};
    while (read(g_sockets[1], bytes.data(), bytes.size()) > 0) {
    }
    emit terminationRequested();
}

}  // namespace velunor
