#include "TrayIcon.h"

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

void TrayIcon::Remove() {
    m_icon.hide();
}

void TrayIcon::ShowNotice(const QString& title, const QString& text) {
    m_icon.showMessage(title, text, QSystemTrayIcon::Information);
}

}  // namespace velunor
