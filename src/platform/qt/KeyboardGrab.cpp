#include "KeyboardGrab.h"

#include <QWidget>
#include <QWindow>

namespace velunor {
namespace {
constexpr int kRetryMs = 100;
}  // namespace

KeyboardGrab::KeyboardGrab(QWidget& window, const DisplayServer& display)
    : m_window(window), m_onX11(display.OnX11()) {
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &KeyboardGrab::TryGrab);
}

void KeyboardGrab::Hold() {
    if (m_held || m_retry.isActive() || !m_onX11) {
        return;
    }
    m_retry.start();
    TryGrab();
}

void KeyboardGrab::Release() {
    m_retry.stop();
    if (m_held) {
        m_held = false;
        if (QWindow* window = m_window.windowHandle()) {
            window->setKeyboardGrabEnabled(false);
        }
    }
}

// On xcb the window's grab is the server's own keyboard grab, and it says whether it was granted.
void KeyboardGrab::TryGrab() {
    QWindow* window = m_window.windowHandle();
    if (window != nullptr && window->isExposed() && window->setKeyboardGrabEnabled(true)) {
        m_held = true;
        m_retry.stop();
    }
}

}  // namespace velunor
