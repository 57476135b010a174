#include "KeyboardGrab.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace velunor {
namespace {
constexpr int kRetryMs = 100;
}  // namespace

KeyboardGrab::KeyboardGrab(QWidget& window) : m_window(window) {
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &KeyboardGrab::TryGrab);
}

void KeyboardGrab::Hold() {
    if (m_held || m_retry.isActive() ||
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>() == nullptr) {
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

BreakKey KeyboardGrab::KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return BreakKey::Escape;
        case Qt::Key_VolumeMute:
        case Qt::Key_VolumeDown:
        case Qt::Key_VolumeUp:
        case Qt::Key_MediaNext:
        case Qt::Key_MediaPrevious:
        case Qt::Key_MediaStop:
        case Qt::Key_MediaPlay:
        case Qt::Key_MediaPause:
        case Qt::Key_MediaTogglePlayPause:
            return BreakKey::VolumeOrMedia;
        default:
            return BreakKey::Other;
    }
}

}  // namespace velunor
