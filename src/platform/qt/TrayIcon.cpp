#include "TrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "BuiltInResources.h"

namespace velunor {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    m_menu.setTitle(QStringLiteral("托盘"));
    m_menu.addAction(QStringLiteral("设置"), this, &TrayIcon::settingsChosen);
    m_menu.addAction(QStringLiteral("帮助"), this, &TrayIcon::helpChosen);
    m_menu.addAction(QStringLiteral("关于"), this, &TrayIcon::aboutChosen);
    QAction* exit = m_menu.addAction(QStringLiteral("退出"), this, &TrayIcon::exitChosen);
    m_menu.setDefaultAction(exit);

    m_icon.setIcon(BuiltInResources::ProgramIcon());
    m_icon.setToolTip(QStringLiteral("双击激活Velunor"));
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit doubleClicked();
                }
            });
}

void TrayIcon::Show() {
    if (!m_icon.isVisible()) {
        m_icon.show();
    }
}

// A service the bus starts on demand counts as running.
void TrayIcon::ShowNotice(const QString& title, const QString& text) {
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names && (names->isServiceRegistered(service).value() ||
                  names->activatableServiceNames().value().contains(service))) {
        QDBusMessage notify = QDBusMessage::createMethodCall(
            service, QStringLiteral("/org/freedesktop/Notifications"), service,
            QStringLiteral("Notify"));
        const int serverDecides = -1;
        notify << QStringLiteral("Velunor") << 0U << QStringLiteral("velunor") << title << text
               << QStringList() << QVariantMap() << serverDecides;
        bus.send(notify);
        return;
    }
    m_icon.showMessage(title, text, BuiltInResources::ProgramIcon());
}

void TrayIcon::Remove() {
    m_icon.hide();
}

}  // namespace velunor
