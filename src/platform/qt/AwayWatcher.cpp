#include "AwayWatcher.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <utility>

namespace velunor {
namespace {
const QString kFreedesktopSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kGnomeSaver = QStringLiteral("org.gnome.ScreenSaver");
const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
}  // namespace

AwayWatcher::AwayWatcher(QObject* parent)
    : QObject(parent),
      m_services(QString(), QDBusConnection::sessionBus(),
                 QDBusServiceWatcher::WatchForOwnerChange) {}

void AwayWatcher::Start() {
    WatchScreenSaver(kFreedesktopSaver, QStringLiteral("/org/freedesktop/ScreenSaver"));
    WatchScreenSaver(kGnomeSaver, QStringLiteral("/org/gnome/ScreenSaver"));

    const QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected()) {
        return;
    }
    const QString manager = QStringLiteral("org.freedesktop.login1.Manager");
    const QByteArray id = qgetenv("XDG_SESSION_ID");
    QDBusMessage find = QDBusMessage::createMethodCall(
        kLogin, QStringLiteral("/org/freedesktop/login1"), manager,
        id.isEmpty() ? QStringLiteral("GetSessionByPID") : QStringLiteral("GetSession"));
    if (id.isEmpty()) {
        find << static_cast<uint>(QCoreApplication::applicationPid());
    } else {
        find << QString::fromUtf8(id);
    }
    Ask(system, find,
        [this](const QVariant& path) { WatchSession(path.value<QDBusObjectPath>().path()); });
}

// The signal may come from any of the service's objects (desktops differ in which they use).
// A screen saver that leaves the bus while it runs has ended.
void AwayWatcher::WatchScreenSaver(const QString& name, const QString& path) {
    QDBusConnection::sessionBus().connect(name, QString(), name, QStringLiteral("ActiveChanged"),
                                          this, SLOT(OnScreenSaverActiveChanged(QDBusMessage)));
    m_services.addWatchedService(name);
    connect(&m_services, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this, name, path](const QString& service, const QString&, const QString& owner) {
                if (service != name) {
                    return;
                }
                SetScreenSaver(name, false);
                if (!owner.isEmpty()) {
                    AskScreenSaver(name, path);
                }
            });
    AskScreenSaver(name, path);
}

void AwayWatcher::AskScreenSaver(const QString& name, const QString& path) {
    Ask(QDBusConnection::sessionBus(),
        QDBusMessage::createMethodCall(name, path, name, QStringLiteral("GetActive")),
        [this, name](const QVariant& active) { SetScreenSaver(name, active.toBool()); });
}

void AwayWatcher::OnScreenSaverActiveChanged(const QDBusMessage& message) {
    SetScreenSaver(message.interface(), message.arguments().value(0).toBool());
}

void AwayWatcher::WatchSession(const QString& path) {
    QDBusConnection system = QDBusConnection::systemBus();
    system.connect(kLogin, path, kLoginSession, QStringLiteral("Lock"), this,
                   SLOT(OnSessionLock()));
    system.connect(kLogin, path, kLoginSession, QStringLiteral("Unlock"), this,
                   SLOT(OnSessionUnlock()));
    system.connect(kLogin, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                   SLOT(OnSessionPropertiesChanged(QString, QVariantMap, QStringList)));
    QDBusMessage get = QDBusMessage::createMethodCall(kLogin, path, kProperties, "Get");
    get << kLoginSession << QStringLiteral("LockedHint");
    Ask(system, get,
        [this](const QVariant& hint) { SetLocked(hint.value<QDBusVariant>().variant().toBool()); });
}

void AwayWatcher::OnSessionLock() {
    SetLocked(true);
}

void AwayWatcher::OnSessionUnlock() {
    SetLocked(false);
}

void AwayWatcher::OnSessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                             const QStringList&) {
    const auto hint = changed.find(QStringLiteral("LockedHint"));
    if (interface == kLoginSession && hint != changed.end()) {
        SetLocked(hint->toBool());
    }
}

// Desktops that run both services report the same screen saver twice; it runs while either says so.
void AwayWatcher::SetScreenSaver(const QString& name, bool active) {
    m_screenSavers[name] = active;
    const bool any = m_screenSavers.value(kFreedesktopSaver) || m_screenSavers.value(kGnomeSaver);
    if (any != std::exchange(m_screenSaver, any)) {
        emit screenSaverChanged(any);
    }
}

void AwayWatcher::SetLocked(bool locked) {
    if (locked != std::exchange(m_locked, locked)) {
        emit sessionLockedChanged(locked);
    }
}

// A service that is not running is not started for the question, and one that does not answer
// leaves things as they are.
void AwayWatcher::Ask(const QDBusConnection& bus, QDBusMessage call,
                      std::function<void(const QVariant&)> onAnswer) {
    call.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [watcher, onAnswer = std::move(onAnswer)] {
                const QDBusMessage reply = watcher->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
                    onAnswer(reply.arguments().first());
                }
                watcher->deleteLater();
            });
}

}  // namespace velunor
