#include "ShortcutsInhibitor.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstring>

#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"

namespace velunor {
namespace {

void* NativeResource(const char* name) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native ? native->nativeResourceForIntegration(name) : nullptr;
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t /*version*/) {
    auto** manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1**>(data);
    if (!*manager &&
        std::strcmp(interface, zwp_keyboard_shortcuts_inhibit_manager_v1_interface.name) == 0) {
        *manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1*>(wl_registry_bind(
            registry, name, &zwp_keyboard_shortcuts_inhibit_manager_v1_interface, 1));
    }
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemoved};

}  // namespace

ShortcutsInhibitor* ShortcutsInhibitor::Create(QWindow& window) {
    auto* display = static_cast<wl_display*>(NativeResource("wl_display"));
    if (!display) {
        return nullptr;
    }
    auto* inhibitor = new ShortcutsInhibitor(display);
    if (!inhibitor->Inhibit(window)) {
        delete inhibitor;
        return nullptr;
    }
    return inhibitor;
}

ShortcutsInhibitor::ShortcutsInhibitor(wl_display* display)
    : m_display(display), m_queue(wl_display_create_queue(display)) {
    m_displayOnQueue = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(m_displayOnQueue), m_queue);
    FindManager();
}

// The compositor lists its globals in answer to the registry; one round trip has them all.
void ShortcutsInhibitor::FindManager() {
    m_registry = wl_display_get_registry(m_displayOnQueue);
    wl_registry_add_listener(m_registry, &kRegistryListener, &m_manager);
    wl_display_roundtrip_queue(m_display, m_queue);
}

bool ShortcutsInhibitor::Inhibit(QWindow& window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window));
    auto* seat = static_cast<wl_seat*>(NativeResource("wl_seat"));
    if (!m_manager || !surface || !seat) {
        return false;
    }
    m_inhibitor =
        zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(m_manager, surface, seat);
    wl_display_flush(m_display);
    return true;
}

// The compositor's answers (active, inactive) were never needed; they go with the queue.
ShortcutsInhibitor::~ShortcutsInhibitor() {
    if (m_inhibitor) {
        zwp_keyboard_shortcuts_inhibitor_v1_destroy(m_inhibitor);
    }
    if (m_manager) {
        zwp_keyboard_shortcuts_inhibit_manager_v1_destroy(m_manager);
    }
    if (m_registry) {
        wl_registry_destroy(m_registry);
    }
    wl_proxy_wrapper_destroy(m_displayOnQueue);
    wl_display_flush(m_display);
    wl_event_queue_destroy(m_queue);
}

}  // namespace velunor

// What the program looks up after loading this library; the window's own Wayland surface and the
// seat come from Qt.
extern "C" {
__attribute__((visibility("default"))) void* velunor_inhibit_shortcuts(QWindow* window) {
    return velunor::ShortcutsInhibitor::Create(*window);
}

__attribute__((visibility("default"))) void velunor_restore_shortcuts(void* inhibitor) {
    delete static_cast<velunor::ShortcutsInhibitor*>(inhibitor);
}
}
