#include "DisplayServer.h"

#include <xcb/xcb.h>

#include <QGuiApplication>

namespace velunor {

// The offscreen platform answers for X11 too, but without a connection.
DisplayServer::DisplayServer() {
    if (!qGuiApp) {
        return;
    }
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        m_kind = Kind::Wayland;
        return;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    m_x = x11 ? x11->connection() : nullptr;
    if (!m_x) {
        return;
    }
    m_kind = Kind::X11;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    m_xUnderWayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace velunor
