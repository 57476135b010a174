#include "InputIdleTime.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <functional>

#include "session/BreakSession.h"

namespace velunor {
namespace {
constexpr std::int64_t kMsPerSecond = 1000;
// A blocked compositor has frozen the whole desktop anyway; Velunor does not wait longer.
constexpr int kMeasureTimeoutMs = 500;

constexpr QLatin1String kMonitor("org.gnome.Mutter.IdleMonitor");
constexpr QLatin1String kMonitorPath("/org/gnome/Mutter/IdleMonitor/Core");

// Calls the compositor without waiting; onReply gets the first value of its reply, nothing on an
// error.
void Ask(QObject* owner, const QDBusMessage& call,
         std::function<void(std::optional<QVariant>)> onReply) {
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), owner);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, owner,
        [watcher, onReply = std::move(onReply)] {
            const QDBusMessage reply = watcher->reply();
            const bool answered =
                reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
            onReply(answered ? std::optional(reply.arguments().first()) : std::nullopt);
            watcher->deleteLater();
        });
}
}  // namespace

// An X server reached from a Wayland session (Xwayland) sees only the input of X programs: its
// idle time would grow while the user types elsewhere.
InputIdleTime::InputIdleTime(const DisplayServer& display, QObject* parent) : QObject(parent) {
    xcb_connection_t* x = display.XConnection();
    if (x && !display.XUnderWayland()) {
        const xcb_query_extension_reply_t* extension =
            xcb_get_extension_data(x, &xcb_screensaver_id);
        if (extension && extension->present) {
            m_x = x;
            m_root = display.XRoot();
            return;
        }
    }
    WatchCompositor();
}

std::optional<std::int64_t> InputIdleTime::Seconds() {
    if (m_x) {
        return FromX();
    }
    if (!m_idleWatch) {
        return std::nullopt;
    }
    return m_still ? (m_stillMs + m_stillSince.elapsed()) / kMsPerSecond : 0;
}

void InputIdleTime::Measure() {
    if (m_x || !m_idleWatch || m_still) {
        return;
    }
    const QDBusMessage reply = QDBusConnection::sessionBus().call(CompositorCall("GetIdletime"),
                                                                  QDBus::Block, kMeasureTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        StillFor(reply.arguments().first().toLongLong());
    }
}

std::optional<std::int64_t> InputIdleTime::FromX() const {
    const auto info = OwnXReply(
        xcb_screensaver_query_info_reply(m_x, xcb_screensaver_query_info(m_x, m_root), nullptr));
    if (!info) {
        return std::nullopt;
    }
    return info->ms_since_user_input / kMsPerSecond;
}

// The shortest stillness the session can count as being away is watched for; below it the
// session never needs the exact idle time between breaks. A compositor without the service answers
// with an error, and the idle time stays unknown. Its watches end with Velunor's connection.
void InputIdleTime::WatchCompositor() {
    QDBusConnection::sessionBus().connect(kMonitor, kMonitorPath, kMonitor,
                                          QStringLiteral("WatchFired"), this,
                                          SLOT(OnWatchFired(uint)));
    QDBusMessage call = CompositorCall("AddIdleWatch");
    call << quint64(BreakSession::kAwaySeconds * kMsPerSecond);
    Ask(this, call, [this](std::optional<QVariant> id) {
        if (id) {
            m_idleWatch = id->toUInt();
        }
    });
}

void InputIdleTime::OnWatchFired(uint id) {
    if (m_idleWatch && id == *m_idleWatch) {
        StillFor(BreakSession::kAwaySeconds * kMsPerSecond);
    } else if (m_still && id == m_activeWatch) {
        m_still = false;
    }
}

// A user-active watch is set only while the user is still: it fires once, at the next input.
void InputIdleTime::StillFor(std::int64_t ms) {
    m_stillMs = ms;
    m_stillSince.start();
    if (m_still) {
        return;
    }
    m_still = true;
    m_activeWatch = 0;
    Ask(this, CompositorCall("AddUserActiveWatch"), [this](std::optional<QVariant> id) {
        if (id) {
            m_activeWatch = id->toUInt();
        } else {
            m_still = false;  // without the watch, input would go unnoticed
        }
    });
}

QDBusMessage InputIdleTime::CompositorCall(const char* method) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kMonitor, kMonitorPath, kMonitor, QLatin1String(method));
    call.setAutoStartService(false);
    return call;
}

}  // namespace velunor
