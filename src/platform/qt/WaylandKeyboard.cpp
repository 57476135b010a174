#include "WaylandKeyboard.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace velunor {

WaylandKeyboard::~WaylandKeyboard() {
    Release();
}

void WaylandKeyboard::Hold(QWidget& window) {
    if (!Load() || !window.windowHandle()) {
        return;
    }
    if (void* held = m_inhibit(window.windowHandle())) {
        m_held.push_back(held);
    }
}

void WaylandKeyboard::Release() {
    for (void* held : m_held) {
        m_restore(held);
    }
    m_held.clear();
}

// Tried once, at the first break on Wayland; a missing library is said once.
bool WaylandKeyboard::Load() {
    if (!m_tried) {
        m_tried = true;
        if (!m_onWayland) {
            return false;
        }
        m_library.setFileName(QCoreApplication::applicationDirPath() +
                              QStringLiteral("/libvelunor-wayland.so"));
        m_inhibit = reinterpret_cast<Inhibit>(m_library.resolve("velunor_inhibit_shortcuts"));
        m_restore = reinterpret_cast<Restore>(m_library.resolve("velunor_restore_shortcuts"));
        if (!m_inhibit || !m_restore) {
            qWarning("velunor: the desktop's shortcuts stay live during breaks: %s",
                     qPrintable(m_library.errorString()));
            m_inhibit = nullptr;
        }
    }
    return m_inhibit != nullptr;
}

}  // namespace velunor
