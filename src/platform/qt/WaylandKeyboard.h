#pragma once

#include <QLibrary>
#include <vector>

#include "DisplayServer.h"

class QWidget;
class QWindow;

namespace velunor {

// On Wayland no program can take the keyboard for itself; what it can do is ask the compositor
// to hand its own shortcuts (a workspace switch, a launcher) to the break's windows while they
// have the keyboard. That takes a library of the program's own (libvelunor-wayland.so beside the
// executable), loaded on Wayland only; without it, or on a compositor that refuses, the break
// runs with the shortcuts live. Elsewhere this does nothing.
class WaylandKeyboard {
public:
    explicit WaylandKeyboard(const DisplayServer& display) : m_onWayland(display.OnWayland()) {}
    ~WaylandKeyboard();
    WaylandKeyboard(const WaylandKeyboard&) = delete;
    WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

    // The window must be shown, so that it has a surface.
    void Hold(QWidget& window);
    void Release();
    bool Holding() const { return !m_held.empty(); }

private:
    bool Load();

    using Inhibit = void* (*)(QWindow*);
    using Restore = void (*)(void*);

    const bool m_onWayland;
    QLibrary m_library;
    bool m_tried = false;
    Inhibit m_inhibit = nullptr;
    Restore m_restore = nullptr;
    std::vector<void*> m_held;
};

}  // namespace velunor
