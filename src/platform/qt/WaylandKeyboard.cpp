#include "WaylandKeyboard.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <memory>

namespace velunor {

WaylandKeyboard::~WaylandKeyboard() {
    Release();
}

// The first window held in a break (the scene) leads: the others ask only once it has asked,
// so that a cover that has the keyboard for a moment while the break comes up asks nothing.
void WaylandKeyboard::Hold(QWidget& window) {
    if (!Load() || !window.windowHandle()) {
        return;
    }
    const bool lead = !m_holding;
    m_holding = true;
    QWindow* handle = window.windowHandle();
    if (lead && handle->isActive()) {
        AskFor(*handle, lead);
        return;
    }
    auto waiting = std::make_shared<QMetaObject::Connection>();
    *waiting =
        QObject::connect(handle, &QWindow::activeChanged, handle, [this, handle, lead, waiting] {
            if (handle->isActive() && (lead || m_leadAsked)) {
                QObject::disconnect(*waiting);
                AskFor(*handle, lead);
            }
        });
    m_waiting.push_back(*waiting);
}

void WaylandKeyboard::AskFor(QWindow& window, bool lead) {
    m_leadAsked = m_leadAsked || lead;
    if (void* held = m_inhibit(&window)) {
        m_held.push_back(held);
    }
}

void WaylandKeyboard::Release() {
    for (const QMetaObject::Connection& waiting : m_waiting) {
        QObject::disconnect(waiting);
    }
    m_waiting.clear();
    for (void* held : m_held) {
        m_restore(held);
    }
    m_held.clear();
    m_holding = false;
    m_leadAsked = false;
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
