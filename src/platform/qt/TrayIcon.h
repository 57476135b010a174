#pragma once

#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>

#include "DisplayServer.h"
#include "NoticeButtons.h"
#include "session/TrayMenu.h"

namespace velunor {

// The program's icon in the tray and its menu: the pause submenu, 继续提醒, 推迟5分钟 and 现在休息,
// then 设置 / 帮助 / 关于 / 退出. The tray's own gesture for "open this program" stands for 设置: a
// double-click on an XEmbed tray, a click on a StatusNotifierItem tray (which never sends a
// double-click).
//
// Qt picks its kind of tray icon once per process, when the first icon is made, and on Wayland
// only a StatusNotifierItem host will do; a host that starts later (a panel started after Velunor,
// a restarted bar) would never see the icon. So the icon is made when a host is there, and made
// anew whenever a host appears.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const DisplayServer& display, QObject* parent = nullptr);

    // Shows the icon if the tray does not show it yet; nothing while it is there. Where no tray
    // can take it yet, it shows once a tray appears.
    void Show();
    void Remove();
    // The tip and which items are offered.
    void ShowState(const TrayState& state);
    // A notice from the icon: through the desktop's notification service where there is one,
    // else in the tray's own balloon. offersPostpone: the service's notice gets a 推迟5分钟
    // button where the service shows buttons.
    void ShowNotice(const QString& title, const QString& text, bool offersPostpone);
    // Closes the last notice the notification service showed, if it is still there.
    void WithdrawNotice();

    QMenu& Menu() { return m_menu; }

signals:
    void activated();
    void pauseChosen(int minutes);  // minutes, or kUntilMorning
    void resumeChosen();
    void postponeChosen();
    void breakNowChosen();
    void settingsChosen();
    void helpChosen();
    void aboutChosen();
    void exitChosen();

private slots:
    void OnHostAppeared();
    void OnNoticeShown(QDBusPendingCallWatcher* call);

private:
    void AddSteeringItems();
    void Create();
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    static bool HostRegistered();
    static QString WatcherOwner();

    // Only the X11 platform has another kind of tray (XEmbed), which Qt's icon finds by itself
    // when the tray starts later.
    const bool m_onX11;
    QMenu m_menu;
    QMenu m_pauseMenu;
    QAction* m_resume = nullptr;
    QAction* m_postpone = nullptr;
    QAction* m_breakNow = nullptr;
    QDBusServiceWatcher m_watcher;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QString m_iconWatcher;  // the watcher's bus name when the icon was made
    bool m_wanted = false;
    // Whether Qt made its icons StatusNotifierItems; fixed with the first icon.
    std::optional<bool> m_statusNotifier;
    QString m_tip;
    NoticeButtons m_noticeButtons;
    uint m_noticeId = 0;  // the notification service's id of the last notice
    bool m_noticeUp = false;
};

}  // namespace velunor
