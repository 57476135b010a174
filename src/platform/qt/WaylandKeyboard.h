#pragma once

#include <QLibrary>
#include <QMetaObject>
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

    // The window must be shown, so that it has a surface. It asks once it has the keyboard, and
    // the first window of a break asks first: a desktop that asks the user (GNOME) then asks at
    // most once per break, for the scene, and never for a cover nobody clicks.
    void Hold(QWidget& window);
    void Release();
    bool Holding() const { return m_holding; }

private:
    bool Load();
    void AskFor(QWindow& window, bool lead);

    using Inhibit = void* (*)(QWindow*);
    using Restore = void (*)(void*);

    const bool m_onWayland;
    QLibrary m_library;
    bool m_tried = false;
    Inhibit m_inhibit = nullptr;
    Restore m_restore = nullptr;
    std::vector<void*> m_held;
    std::vector<QMetaObject::Connection> m_waiting;
    bool m_holding = false;
    bool m_leadAsked = false;
};

}  // namespace velunor
