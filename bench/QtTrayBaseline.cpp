#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

// The least a Qt Widgets program in the tray costs: an icon and a two-item menu, nothing else.
// bench/idle-cost measures it beside Velunor, so that what Velunor adds to the toolkit's own cost
// can be read off.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(pixmap)};
    QMenu menu;
    menu.addAction(QStringLiteral("设置"));
    menu.addAction(QStringLiteral("退出"), &application, &QApplication::quit);
    tray.setContextMenu(&menu);
    tray.setToolTip(QStringLiteral("Qt tray baseline"));
    tray.show();
    return QApplication::exec();
}
