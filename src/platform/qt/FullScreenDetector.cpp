#include "FullScreenDetector.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstring>

namespace velunor {
namespace {

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    const auto reply = OwnXReply(xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

FullScreenDetector::FullScreenDetector(const DisplayServer& display)
    : m_x(display.XConnection()), m_root(display.XRoot()) {
    if (!m_x) {
        return;
    }
    m_activeWindow = Atom(m_x, "_NET_ACTIVE_WINDOW");
    m_state = Atom(m_x, "_NET_WM_STATE");
    m_fullScreen = Atom(m_x, "_NET_WM_STATE_FULLSCREEN");
}

bool FullScreenDetector::OtherProgramFullScreen() const {
    if (!m_x) {
        return false;
    }
    const auto active = Property(m_root, m_activeWindow, XCB_ATOM_WINDOW);
    if (active.empty() || active.front() == XCB_WINDOW_NONE || IsOwn(active.front())) {
        return false;
    }
    const auto states = Property(active.front(), m_state, XCB_ATOM_ATOM);
    return std::find(states.begin(), states.end(), m_fullScreen) != states.end() &&
           NativeGeometry(active.front()).contains(NativePrimaryMonitor());
}

// A window's state lists a few atoms; more than 32 is no state a window manager sets.
std::vector<std::uint32_t> FullScreenDetector::Property(std::uint32_t window, std::uint32_t name,
                                                        std::uint32_t type) const {
    constexpr std::uint32_t kMostValues = 32;
    const auto reply = OwnXReply(xcb_get_property_reply(
        m_x, xcb_get_property(m_x, 0, window, name, type, 0, kMostValues), nullptr));
    if (!reply || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// The window's own area in root coordinates; where the window manager framed it, the frame is
// not part of what it shows.
QRect FullScreenDetector::NativeGeometry(std::uint32_t window) const {
    const auto geometry =
        OwnXReply(xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, window), nullptr));
    const auto origin = OwnXReply(xcb_translate_coordinates_reply(
        m_x, xcb_translate_coordinates(m_x, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin) {
        return {};
    }
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

// Only windows that exist on the server are asked for their id: asking creates them.
bool FullScreenDetector::IsOwn(std::uint32_t window) {
    const auto windows = QGuiApplication::allWindows();
    return std::any_of(windows.begin(), windows.end(), [window](const QWindow* own) {
        return own->handle() && own->winId() == window;
    });
}

// Qt scales a monitor's size into its own pixels but keeps its place in the server's.
QRect FullScreenDetector::NativePrimaryMonitor() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect logical = screen->geometry();
    return {logical.topLeft(), logical.size() * screen->devicePixelRatio()};
}

}  // namespace velunor
