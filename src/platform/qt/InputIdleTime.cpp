#include "InputIdleTime.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace velunor {
namespace {
constexpr std::int64_t kMsPerSecond = 1000;
}  // namespace

// An X server reached from a Wayland session (Xwayland) sees only the input of X programs: its
// idle time would grow while the user types elsewhere.
InputIdleTime::InputIdleTime(const DisplayServer& display, QObject* parent) : QObject(parent) {
    xcb_connection_t* x = display.XConnection();
    if (!x || display.XUnderWayland()) {
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x, &xcb_screensaver_id);
    if (extension && extension->present) {
        m_x = x;
        m_root = display.XRoot();
    }
}

std::optional<std::int64_t> InputIdleTime::Seconds() {
    if (m_x) {
        return FromX();
    }
    AskCompositor();
    return m_compositorSeconds;
}

std::optional<std::int64_t> InputIdleTime::FromX() const {
    const auto info = OwnXReply(
        xcb_screensaver_query_info_reply(m_x, xcb_screensaver_query_info(m_x, m_root), nullptr));
    if (!info) {
        return std::nullopt;
    }
    return info->ms_since_user_input / kMsPerSecond;
}

// A compositor without the service answers with an error, and the idle time stays unknown.
void InputIdleTime::AskCompositor() {
    if (m_asking) {
        return;
    }
    const QString name = QStringLiteral("org.gnome.Mutter.IdleMonitor");
    QDBusMessage call =
        QDBusMessage::createMethodCall(name, QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                                       name, QStringLiteral("GetIdletime"));
    call.setAutoStartService(false);
    m_asking = true;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        const QDBusMessage reply = watcher->reply();
        m_compositorSeconds.reset();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            m_compositorSeconds = reply.arguments().first().toLongLong() / kMsPerSecond;
        }
        m_asking = false;
        watcher->deleteLater();
    });
}

}  // namespace velunor
