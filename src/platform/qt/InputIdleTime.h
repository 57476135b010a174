#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <optional>

#include "DisplayServer.h"

class QDBusMessage;

namespace velunor {

// How long the keyboard and mouse have been still. On X11 the X server's screen-saver extension
// tells; where that is not there (a Wayland session) GNOME's compositor may, on the session bus;
// other desktops cannot tell.
//
// Asking the compositor wakes it and Velunor, so it is not asked on every read. It tells Velunor
// when the user has been still for the least time the session counts as away (an idle watch), and
// when input comes after that (a user-active watch: it fires once, so it is set only while the
// user is still, or it would fire at every key). From then until that input the idle time is
// known without asking. While the user is at the desk the answer is 0: below the away time the
// session only compares it with the stillness at a break's end, to learn whether input came since,
// and a user-active watch set at that end tells exactly that. So only a break's end (Measure) asks
// the compositor, and only when the watches cannot tell; the session's Desktop stays as it is.
class InputIdleTime : public QObject {
    Q_OBJECT

public:
    explicit InputIdleTime(const DisplayServer& display, QObject* parent = nullptr);

    // Whole seconds since the last input, or nothing where this desktop cannot tell.
    std::optional<std::int64_t> Seconds();
    // Makes the next answers exact: called as a break ends, when the session reads how long the
    // user has been still so that only the stillness after the break counts. It waits for the
    // compositor's answer (half a second at most), since the session reads at once.
    void Measure();

private slots:
    void OnWatchFired(uint id);

private:
    std::optional<std::int64_t> FromX() const;
    void WatchCompositor();
    void StillFor(std::int64_t ms);
    QDBusMessage CompositorCall(const char* method) const;

    xcb_connection_t* m_x = nullptr;  // only where the extension is there
    std::uint32_t m_root = 0;
    // The compositor's watches; its idle watch exists once it answered, never where it has none.
    std::optional<std::uint32_t> m_idleWatch;
    std::uint32_t m_activeWatch = 0;
    // No input came since the user had been still for m_stillMs at m_stillSince: a user-active
    // watch waits for the next input.
    bool m_still = false;
    std::int64_t m_stillMs = 0;
    QElapsedTimer m_stillSince;
};

}  // namespace velunor
