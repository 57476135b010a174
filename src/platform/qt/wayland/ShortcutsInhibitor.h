#pragma once

class QWindow;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct zwp_keyboard_shortcuts_inhibit_manager_v1;
struct zwp_keyboard_shortcuts_inhibitor_v1;

namespace velunor {

// Asks a Wayland compositor to pass its own shortcuts (workspace switches, launchers, window
// switching) to one window of the program while that window has the keyboard, through the
// keyboard-shortcuts-inhibit protocol. The compositor decides whether to grant it; one that does
// not know the protocol is simply not asked.
//
// The protocol's objects live on an event queue of their own, so that Qt's dispatching of its own
// queue never sees them.
class ShortcutsInhibitor {
public:
    // Nothing when the window has no Wayland surface yet or the compositor lacks the protocol.
    static ShortcutsInhibitor* Create(QWindow& window);
    ~ShortcutsInhibitor();

    ShortcutsInhibitor(const ShortcutsInhibitor&) = delete;
    ShortcutsInhibitor& operator=(const ShortcutsInhibitor&) = delete;

private:
    explicit ShortcutsInhibitor(wl_display* display);
    void FindManager();
    bool Inhibit(QWindow& window);

    wl_display* m_display;
    wl_event_queue* m_queue = nullptr;
    wl_display* m_displayOnQueue = nullptr;
    wl_registry* m_registry = nullptr;
    zwp_keyboard_shortcuts_inhibit_manager_v1* m_manager = nullptr;
    zwp_keyboard_shortcuts_inhibitor_v1* m_inhibitor = nullptr;
};

}  // namespace velunor
