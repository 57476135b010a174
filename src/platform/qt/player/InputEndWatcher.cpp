#include "InputEndWatcher.h"

#include <unistd.h>

#include <array>
#include <cerrno>

namespace velunor {

InputEndWatcher::InputEndWatcher(QObject* parent)
    : QObject(parent), m_notifier(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&m_notifier, &QSocketNotifier::activated, this, &InputEndWatcher::Drain);
}

// Whatever is written is of no interest; only the end is. A read error counts as the end too,
// because an input that cannot be read can no longer tell that the program is alive.
void InputEndWatcher::Drain() {
    std::array<char, 256> bytes{};
    const ssize_t count = read(STDIN_FILENO, bytes.data(), bytes.size());
    if (count > 0 || (count < 0 && (errno == EINTR || errno == EAGAIN))) {
        return;
    }
    m_notifier.setEnabled(false);
    emit ended();
}

}  // namespace velunor
