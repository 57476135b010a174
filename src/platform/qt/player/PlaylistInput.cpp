#include "PlaylistInput.h"

#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>

namespace velunor {

PlaylistInput::PlaylistInput(QObject* parent)
    : QObject(parent), m_notifier(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&m_notifier, &QSocketNotifier::activated, this, &PlaylistInput::Read);
}

// A read error counts as the end, because an input that cannot be read can no longer tell that
// the program is alive.
void PlaylistInput::Read() {
    std::array<char, 4096> bytes{};
    const ssize_t count = read(STDIN_FILENO, bytes.data(), bytes.size());
    if (count > 0) {
        if (!m_listTaken) {
            m_pending.append(bytes.data(), count);
            TakeList();
        }
        return;
    }
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    m_notifier.setEnabled(false);
    emit ended();
}

// The list is complete at its first empty name; a list cut short by the end is never played.
void PlaylistInput::TakeList() {
    const qsizetype end = m_pending.startsWith('\0') ? 0 : m_pending.indexOf(QByteArray("\0\0", 2));
    if (end < 0) {
        return;
    }
    QStringList files;
    for (const QByteArray& name : m_pending.left(end).split('\0')) {
        if (!name.isEmpty()) {
            files << QFile::decodeName(name);
        }
    }
    m_listTaken = true;
    m_pending.clear();
    emit listReceived(files);
}

}  // namespace velunor
