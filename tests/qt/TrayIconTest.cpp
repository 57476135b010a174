#include <gtest/gtest.h>

#include <QSignalSpy>

#include "TrayIcon.h"

namespace velunor {
namespace {

QAction* Item(TrayIcon& tray, int position) {
    return tray.Menu().actions().at(position);
}

TEST(TrayIconTest, MenuHoldsItsFourItemsWithExitAsDefault) {
    TrayIcon tray;
    QStringList texts;
    for (QAction* action : tray.Menu().actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("设置"), QStringLiteral("帮助"),
                                  QStringLiteral("关于"), QStringLiteral("退出")}));
    EXPECT_EQ(tray.Menu().defaultAction(), Item(tray, 3));
}

TEST(TrayIconTest, EachItemReportsItsCommand) {
    TrayIcon tray;
    QSignalSpy settings(&tray, &TrayIcon::settingsChosen);
    QSignalSpy help(&tray, &TrayIcon::helpChosen);
    QSignalSpy about(&tray, &TrayIcon::aboutChosen);
    QSignalSpy exit(&tray, &TrayIcon::exitChosen);
    Item(tray, 1)->trigger();
    Item(tray, 2)->trigger();
    Item(tray, 3)->trigger();
    EXPECT_EQ(settings.count(), 0);
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(about.count(), 1);
    EXPECT_EQ(exit.count(), 1);
    Item(tray, 0)->trigger();
    EXPECT_EQ(settings.count(), 1);
}

TEST(TrayIconTest, ShowingAgainKeepsOneIconAndRemoveTakesItAway) {
    TrayIcon tray;
    EXPECT_FALSE(tray.IsShown());
    tray.Show();
    tray.Show();
    EXPECT_TRUE(tray.IsShown());
    tray.Remove();
    EXPECT_FALSE(tray.IsShown());
}

}  // namespace
}  // namespace velunor
