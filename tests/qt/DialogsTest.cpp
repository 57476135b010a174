#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AboutDialog.h"
#include "DialogUnits.h"
#include "MusicInfoDialog.h"
#include "UrlRecorder.h"

namespace velunor {
namespace {

QPushButton* Button(QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

QStringList LabelTexts(QWidget& dialog) {
    QStringList texts;
    for (auto* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    return texts;
}

TEST(DialogUnitsTest, ScaleWithTheFont) {
    QFont small = DialogUnits::DialogFont(QStringLiteral("宋体"), 9);
    QFont large = small;
    large.setPointSize(18);
    const DialogUnits smallUnits(small);
    const DialogUnits largeUnits(large);
    EXPECT_GT(smallUnits.X(100), 0);
    EXPECT_GT(largeUnits.X(100), smallUnits.X(100));
    EXPECT_GT(largeUnits.Y(100), smallUnits.Y(100));
    EXPECT_EQ(smallUnits.Rect(4, 8, 4, 8),
              QRect(smallUnits.X(4), smallUnits.Y(8), smallUnits.X(4), smallUnits.Y(8)));
}

TEST(AboutDialogTest, ShowsNameVersionAndRights) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("关于 Velunor"));
    const QStringList texts = LabelTexts(dialog);
    EXPECT_TRUE(texts.contains(QStringLiteral("Velunor 1.1 版")));
    EXPECT_TRUE(texts.filter(QStringLiteral("版权所有")).size() == 1);
}

TEST(AboutDialogTest, LaidOutInDialogUnitsOfItsFont) {
    AboutDialog dialog;
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.Size(235, 55));
    QPushButton* ok = Button(dialog, QStringLiteral("确定"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), units.Rect(178, 7, 50, 14));
    EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDialogTest, OkAndEscapeClose) {
    AboutDialog dialog;
    dialog.show();
    QTest::mouseClick(Button(dialog, QStringLiteral("确定")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(MusicInfoDialogTest, TellsWhereMusicGoes) {
    MusicInfoDialog dialog(QUrl(QStringLiteral("file:///nowhere/help.html")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("音乐"));
    const auto groups = dialog.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups.front()->title(), QStringLiteral("音乐"));
    EXPECT_TRUE(LabelTexts(dialog).contains(
        QStringLiteral("如果您有什么好的音乐，想在眼睛累的时候倾听，可以把mp3、wma、mid文件添加到"
                       "软件目录下面的Music文件夹下")));
    const DialogUnits units(dialog.font());
    ASSERT_NE(Button(dialog, QStringLiteral("确定")), nullptr);
    ASSERT_NE(Button(dialog, QStringLiteral("技术支持")), nullptr);
    EXPECT_EQ(Button(dialog, QStringLiteral("确定"))->geometry(), units.Rect(112, 65, 70, 19));
    EXPECT_EQ(Button(dialog, QStringLiteral("技术支持"))->geometry(), units.Rect(25, 64, 72, 20));
}

TEST(MusicInfoDialogTest, HasNoCloseBox) {
    MusicInfoDialog dialog(QUrl(QStringLiteral("file:///nowhere/help.html")));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
}

TEST(MusicInfoDialogTest, TechSupportOpensThePageAndCloses) {
    UrlRecorder recorder;
    const QUrl page = QUrl::fromLocalFile(QStringLiteral("/opt/Velunor/help.html"));
    MusicInfoDialog dialog(page);
    dialog.show();
    QTest::mouseClick(Button(dialog, QStringLiteral("技术支持")), Qt::LeftButton);
    EXPECT_EQ(recorder.Opened(), QList<QUrl>{page});
    EXPECT_FALSE(dialog.isVisible());
}

TEST(MusicInfoDialogTest, OkAndEscapeCloseWithoutOpeningAnything) {
    UrlRecorder recorder;
    MusicInfoDialog dialog(QUrl(QStringLiteral("file:///nowhere/help.html")));
    dialog.show();
    QTest::mouseClick(Button(dialog, QStringLiteral("确定")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(recorder.Opened().isEmpty());
}

}  // namespace
}  // namespace velunor
