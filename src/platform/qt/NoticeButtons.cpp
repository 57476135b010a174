#include "NoticeButtons.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "session/TrayMenu.h"

namespace velunor {
namespace {
constexpr QLatin1String kService("org.freedesktop.Notifications");
constexpr QLatin1String kPath("/org/freedesktop/Notifications");
constexpr QLatin1String kPostponeKey("postpone");
// The service answers at once or not at all; a notice goes without its button rather than late.
constexpr int kCapabilitiesMs = 1000;
}  // namespace

NoticeButtons::NoticeButtons(QObject* parent) : QObject(parent) {
    QDBusConnection::sessionBus().connect(QString(), kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(OnActionInvoked(uint, QString)));
}

// A service that did not answer is asked again with the next notice.
QStringList NoticeButtons::Actions(QDBusConnection& bus, bool offersPostpone) {
    if (!offersPostpone) {
        return {};
    }
    if (!m_serviceShowsButtons) {
        const QDBusMessage reply =
            bus.call(QDBusMessage::createMethodCall(kService, kPath, kService,
                                                    QStringLiteral("GetCapabilities")),
                     QDBus::Block, kCapabilitiesMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            m_serviceShowsButtons =
                reply.arguments().constFirst().toStringList().contains(QStringLiteral("actions"));
        }
    }
    if (!m_serviceShowsButtons.value_or(false)) {
        return {};
    }
    const std::string_view label = tray_text::kPostpone;
    return {kPostponeKey, QString::fromUtf8(label.data(), qsizetype(label.size()))};
}

// Only the latest notice's button counts: an older one still on screen spoke of a break that
// has come and gone.
void NoticeButtons::Sent(const QDBusPendingCall& notify) {
    m_notice.reset();
    const int sent = ++m_sent;
    auto* watcher = new QDBusPendingCallWatcher(notify, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, sent](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isValid() && sent == m_sent) {
                    m_notice = reply.value();
                }
                done->deleteLater();
            });
}

void NoticeButtons::OnActionInvoked(uint notice, const QString& action) {
    if (m_notice == notice && action == kPostponeKey) {
        emit postponeChosen();
    }
}

}  // namespace velunor
