#pragma once

#include <QObject>
#include <cstdint>
#include <optional>

#include "DisplayServer.h"

namespace velunor {

// How long the keyboard and mouse have been still. On X11 the X server's screen-saver extension
// tells; where that is not there (a Wayland session) GNOME's compositor may, on the session bus;
// other desktops cannot tell.
class InputIdleTime : public QObject {
    Q_OBJECT

public:
    explicit InputIdleTime(const DisplayServer& display, QObject* parent = nullptr);

    // Whole seconds since the last input, or nothing where this desktop cannot tell.
    std::optional<std::int64_t> Seconds();

private:
    std::optional<std::int64_t> FromX() const;
    void AskCompositor();

    xcb_connection_t* m_x = nullptr;  // only where the extension is there
    std::uint32_t m_root = 0;
    // The compositor answers in its own time, so the last answer is the one told: it is at most
    // one question (a schedule tick) old.
    std::optional<std::int64_t> m_compositorSeconds;
    bool m_asking = false;
};

}  // namespace velunor
