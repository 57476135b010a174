#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace velunor {

// The program's icon in the tray and its menu 设置 / 帮助 / 关于 / 退出. A double-click stands
// for 设置.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(QObject* parent = nullptr);

    // Shows the icon if the tray does not show it yet; nothing while it is there.
    void Show();
    void Remove();
    // A short notice from the icon.
    void ShowNotice(const QString& title, const QString& text);

    QMenu& Menu() { return m_menu; }

signals:
    void doubleClicked();
    void settingsChosen();
    void helpChosen();
    void aboutChosen();
    void exitChosen();

private:
    QSystemTrayIcon m_icon;
    QMenu m_menu;
};

}  // namespace velunor
