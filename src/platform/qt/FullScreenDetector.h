#pragma once

#include <QRect>
#include <cstdint>
#include <vector>

#include "DisplayServer.h"

namespace velunor {

// Whether another program shows full-screen on the primary monitor, as the window manager tells
// it on X11: the active window is in its full-screen state and covers that monitor. Velunor's own
// windows never count. Elsewhere nothing is known, and no program counts as full-screen.
class FullScreenDetector {
public:
    explicit FullScreenDetector(const DisplayServer& display);

    bool OtherProgramFullScreen() const;

private:
    std::vector<std::uint32_t> Property(std::uint32_t window, std::uint32_t name,
                                        std::uint32_t type) const;
    QRect NativeGeometry(std::uint32_t window) const;
    static bool IsOwn(std::uint32_t window);
    static QRect NativePrimaryMonitor();

    xcb_connection_t* m_x = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_activeWindow = 0;  // the atoms
    std::uint32_t m_state = 0;
    std::uint32_t m_fullScreen = 0;
};

}  // namespace velunor
