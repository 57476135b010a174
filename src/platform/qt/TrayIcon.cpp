#include "TrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "BuiltInResources.h"

namespace velunor {
namespace {
constexpr QLatin1String kWatcherService("org.kde.StatusNotifierWatcher");
constexpr QLatin1String kWatcherPath("/StatusNotifierWatcher");
constexpr QLatin1String kNotifications("org.freedesktop.Notifications");
constexpr QLatin1String kNotificationsPath("/org/freedesktop/Notifications");
// The launcher's id, which the desktop's notices and windows are matched to.
constexpr QLatin1String kDesktopEntry("velunor");
// A notice comes half a minute before its break and is of no use after it.
constexpr int kNoticeMilliseconds = 30 * 1000;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
}  // namespace

TrayIcon::TrayIcon(const DisplayServer& display, QObject* parent)
    : QObject(parent),
      m_onX11(display.OnX11()),
      m_watcher(kWatcherService, QDBusConnection::sessionBus(),
                QDBusServiceWatcher::WatchForRegistration),
      m_tip(Text(tray_text::kTip)) {
    m_menu.setTitle(QStringLiteral("托盘"));
    AddSteeringItems();
    m_menu.addSeparator();
    m_menu.addAction(QStringLiteral("设置"), this, &TrayIcon::settingsChosen);
    m_menu.addAction(QStringLiteral("帮助"), this, &TrayIcon::helpChosen);
    m_menu.addAction(QStringLiteral("关于"), this, &TrayIcon::aboutChosen);
    QAction* exit = m_menu.addAction(QStringLiteral("退出"), this, &TrayIcon::exitChosen);
    m_menu.setDefaultAction(exit);

    // A watcher may start before its host (a bar hosts its own watcher and registers itself just
    // after), so both the watcher's arrival and a host's registration are heard.
    connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayIcon::OnHostAppeared);
    QDBusConnection::sessionBus().connect(QString(), kWatcherPath, kWatcherService,
                                          QStringLiteral("StatusNotifierHostRegistered"), this,
                                          SLOT(OnHostAppeared()));
    connect(&m_noticeButtons, &NoticeButtons::postponeChosen, this, &TrayIcon::postponeChosen);
}

// Offered or not as the session says (ShowState); until then none but the pause.
void TrayIcon::AddSteeringItems() {
    m_pauseMenu.setTitle(Text(tray_text::kPauseMenu));
    for (const PauseChoice& choice : kPauseChoices) {
        m_pauseMenu.addAction(Text(choice.label), this,
                              [this, minutes = choice.minutes] { emit pauseChosen(minutes); });
    }
    m_menu.addMenu(&m_pauseMenu);
    m_resume = m_menu.addAction(Text(tray_text::kResume), this, &TrayIcon::resumeChosen);
    m_resume->setVisible(false);
    m_postpone = m_menu.addAction(Text(tray_text::kPostpone), this, &TrayIcon::postponeChosen);
    m_postpone->setEnabled(false);
    m_breakNow = m_menu.addAction(Text(tray_text::kBreakNow), this, &TrayIcon::breakNowChosen);
    m_breakNow->setEnabled(false);
}

void TrayIcon::ShowState(const TrayState& state) {
    m_tip = QString::fromStdString(state.tip);
    if (m_icon) {
        m_icon->setToolTip(m_tip);
    }
    m_resume->setVisible(state.paused);
    m_postpone->setEnabled(state.canPostpone);
    m_breakNow->setEnabled(state.canBreakNow);
}

// Off X11 a tray host is asked for once; one that comes later announces itself (OnHostAppeared),
// so the schedule's tick, which calls this every second, asks the bus nothing.
void TrayIcon::Show() {
    const bool firstAsk = !m_wanted;
    m_wanted = true;
    if (!m_icon && (m_onX11 || (firstAsk && HostRegistered()))) {
        Create();
    }
    if (m_icon && !m_icon->isVisible()) {
        m_icon->show();
    }
}

// A service the bus starts on demand counts as running. Each notice takes the place of the last,
// is kept in no message list and expires by itself when the break it announces is due; the
// service's id for it comes back later, for WithdrawNotice.
void TrayIcon::ShowNotice(const QString& title, const QString& text, bool offersPostpone) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (names && (names->isServiceRegistered(kNotifications).value() ||
                  names->activatableServiceNames().value().contains(kNotifications))) {
        QDBusMessage notify = QDBusMessage::createMethodCall(
            kNotifications, kNotificationsPath, kNotifications, QStringLiteral("Notify"));
        const QVariantMap hints{{QStringLiteral("transient"), true},
                                {QStringLiteral("desktop-entry"), kDesktopEntry}};
        notify << QStringLiteral("Velunor") << m_noticeId << QStringLiteral("velunor") << title
               << text << m_noticeButtons.Actions(bus, offersPostpone) << hints
               << kNoticeMilliseconds;
        m_noticeUp = true;
        const QDBusPendingCall call = bus.asyncCall(notify);
        m_noticeButtons.Sent(call);
        auto* watcher = new QDBusPendingCallWatcher(call, this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, &TrayIcon::OnNoticeShown);
        return;
    }
    if (m_icon) {  // with no tray there is nobody to show the notice
        m_icon->showMessage(title, text, BuiltInResources::ProgramIcon(), kNoticeMilliseconds);
    }
}

// A notice withdrawn before its id came back is closed as soon as the id comes.
void TrayIcon::WithdrawNotice() {
    m_noticeUp = false;
    if (m_noticeId != 0) {
        QDBusConnection::sessionBus().send(
            QDBusMessage::createMethodCall(kNotifications, kNotificationsPath, kNotifications,
                                           QStringLiteral("CloseNotification"))
            << m_noticeId);
        m_noticeId = 0;
    }
}

void TrayIcon::OnNoticeShown(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isValid()) {
        m_noticeId = reply.value();
        if (!m_noticeUp) {
            WithdrawNotice();
        }
    }
}

void TrayIcon::Remove() {
    m_wanted = false;
    m_icon.reset();
}

QString TrayIcon::WatcherOwner() {
    const QDBusConnectionInterface* names = QDBusConnection::sessionBus().interface();
    return names ? names->serviceOwner(kWatcherService).value() : QString();
}

bool TrayIcon::HostRegistered() {
    QDBusInterface watcher(kWatcherService, kWatcherPath, kWatcherService,
                           QDBusConnection::sessionBus());
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

// Items are registered with the watcher, which hands them to every host: an icon registered with
// the watcher that runs now stays, whichever host came. Any other (made for a watcher that went
// away, or for none) is made anew. A bar that hosts its own watcher announces both, moments apart.
void TrayIcon::OnHostAppeared() {
    if (!m_wanted || !HostRegistered() || (m_icon && m_iconWatcher == WatcherOwner())) {
        return;
    }
    m_icon.reset();
    Create();
    m_icon->show();
}

void TrayIcon::Create() {
    if (!m_statusNotifier) {
        m_statusNotifier = !m_onX11 || HostRegistered();
    }
    m_iconWatcher = WatcherOwner();
    m_icon = std::make_unique<QSystemTrayIcon>(BuiltInResources::ProgramIcon());
    m_icon->setToolTip(m_tip);
    m_icon->setContextMenu(&m_menu);
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

// An XEmbed tray reports the first press of a double-click as a click of its own; that one must
// not open anything. A StatusNotifierItem host waits for the answer to its click, which comes
// before the dialog's loop runs.
void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    const bool click = reason == QSystemTrayIcon::Trigger;
    if (reason == QSystemTrayIcon::DoubleClick || (click && m_statusNotifier.value_or(false))) {
        QMetaObject::invokeMethod(this, &TrayIcon::activated, Qt::QueuedConnection);
    }
}

}  // namespace velunor
