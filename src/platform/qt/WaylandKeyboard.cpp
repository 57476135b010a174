#include "WaylandKeyboard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <memory>

namespace velunor {

WaylandKeyboard::~WaylandKeyboard() {
    Release();
}

void WaylandKeyboard::Hold(QWidget& window) {
    if (!Load() || !window.windowHandle()) {
        return;
    }
    m_holding = true;
    QWindow* handle = window.windowHandle();
    if (handle->isActive()) {
        AskFor(*handle);
        return;
    }
    auto waiting = std::make_shared<QMetaObject::Connection>();
    *waiting = QObject::connect(handle, &QWindow::activeChanged, handle, [this, handle, waiting] {
        if (handle->isActive()) {
            QObject::disconnect(*waiting);
            AskFor(*handle);
        }
    });
    m_waiting.push_back(*waiting);
}

void WaylandKeyboard::AskFor(QWindow& window) {
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
}

// Tried once, at the first break on Wayland; a missing library is said once.
bool WaylandKeyboard::Load() {
    if (!m_tried) {
        m_tried = true;
        if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
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
