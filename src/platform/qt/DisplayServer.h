#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

struct xcb_connection_t;

namespace velunor {

// Which display server Qt talks to, asked once when the program's window is made: the platform
// stays the same while the program runs. On X11 it also hands the server's connection and root
// window to the parts that ask the server themselves.
class DisplayServer {
public:
    DisplayServer();

    bool OnX11() const { return m_kind == Kind::X11; }
    // Where only the compositor places windows.
    bool OnWayland() const { return m_kind == Kind::Wayland; }
    // An X server that a Wayland compositor runs for X programs (Xwayland): it sees only their
    // input.
    bool XUnderWayland() const { return m_xUnderWayland; }

    // Null off X11.
    xcb_connection_t* XConnection() const { return m_x; }
    std::uint32_t XRoot() const { return m_root; }

private:
    enum class Kind { X11, Wayland, Other };

    Kind m_kind = Kind::Other;
    xcb_connection_t* m_x = nullptr;
    std::uint32_t m_root = 0;
    bool m_xUnderWayland = false;
};

// The X server's replies are the caller's to free, with the C library's free().
template <typename Reply>
using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
XReply<Reply> OwnXReply(Reply* reply) {
    return XReply<Reply>(reply, &std::free);
}

}  // namespace velunor
