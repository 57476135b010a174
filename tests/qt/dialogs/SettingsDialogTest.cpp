#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "DialogTestSupport.h"
#include "ProgramState.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/dialogs/SettingsDialog.h"

namespace velunor {
namespace {

using test::FindByText;

class SettingsDialogTest : public ::testing::Test, protected test::ProgramState {
protected:
    SettingsDialogTest() {
        folder.Write("config.ini", kConfig);
        settings.working = false;  // a break shows while the dialog opens
    }

    SettingsDialog& Open() {
        dialog = std::make_unique<SettingsDialog>(settings, scheduler, autostart, paths,
                                                  canOpenSettings, player, services.Services());
        test::ShowActive(*dialog);
        return *dialog;
    }
    QPushButton* Button(const char* text) {
        return FindByText<QPushButton>(*dialog, QString::fromUtf8(text));
    }
    QCheckBox* AutoStartCheck() { return dialog->findChild<QCheckBox*>(); }
    // The interval's edit comes first, as in the dialog.
    QLineEdit* Edit(int index) { return dialog->findChildren<QLineEdit*>().at(index); }
    void Retype(QLineEdit* edit, const char* text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    std::string Config() const { return folder.Read("config.ini"); }

    static constexpr const char* kConfig =
        "[Option]\nBFirst=true\nBStart=false\nSetTime=045\nRunTime=5\n";
    test::RecordingServices services;
    std::unique_ptr<SettingsDialog> dialog;
};

TEST_F(SettingsDialogTest, OpensWithTheFilesValuesAndEveryControlOfTheDialog) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("设置"));
    EXPECT_FALSE(AutoStartCheck()->isChecked());
    EXPECT_EQ(AutoStartCheck()->text(), QStringLiteral("开机时启动本软件"));
    EXPECT_EQ(Edit(0)->text(), QStringLiteral("45"));  // normalised
    EXPECT_EQ(Edit(1)->text(), QStringLiteral("5"));
    for (const char* text : {"音乐设置", "版本说明", "隐藏窗口"}) {
        EXPECT_TRUE(Button(text)->isVisible()) << text;
        EXPECT_TRUE(Button(text)->isEnabled()) << text;
    }
    EXPECT_FALSE(Button("保存设置")->isEnabled());
    EXPECT_FALSE(Button("图片设置")->isVisible());
    for (const char* text : {"音乐设置", "启动及时间设置", "启动设置", "时间设置"}) {
        EXPECT_NE(FindByText<QGroupBox>(*dialog, QString::fromUtf8(text)), nullptr);
    }
    for (const char* text : {"多少分钟激活一次保护程序", "每次运行保护程序的时间"}) {
        EXPECT_NE(FindByText<QLabel>(*dialog, QString::fromUtf8(text)), nullptr);
    }
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=045\nRunTime=5\n");
    EXPECT_FALSE(canOpenSettings);
}

TEST_F(SettingsDialogTest, HasNoCloseBoxAndTheTemplatesSizeWithNothingClipped) {
    Open();
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(dialog->size(), DialogUnits(dialog->font()).Size(243, 225));
    test::ExpectNoTextClipped(*dialog);
}

TEST_F(SettingsDialogTest, OnlyDigitsCanBeTypedAndTypingEnablesSaving) {
    Open();
    AutoStartCheck()->click();
    EXPECT_FALSE(Button("保存设置")->isEnabled());  // the check box alone is no change

    Edit(0)->setFocus();
    Edit(0)->end(false);
    QTest::keyClicks(Edit(0), QStringLiteral("1a- 0"));
    // A Chinese input method's full-width digit is no digit the minutes can be read from.
    QTest::sendKeyEvent(QTest::Click, Edit(0), Qt::Key_unknown, QStringLiteral("２"), {});
    EXPECT_EQ(Edit(0)->text(), QStringLiteral("4510"));
    EXPECT_TRUE(Button("保存设置")->isEnabled());
}

TEST_F(SettingsDialogTest, SavingStoresTheTextsAsTypedAndAppliesTheirValues) {
    Open();
    AutoStartCheck()->click();
    Retype(Edit(0), "007");
    Retype(Edit(1), "0");
    Button("保存设置")->click();

    EXPECT_EQ(services.messages, QStringList{QStringLiteral("保存成功")});
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=true\nSetTime=007\nRunTime=0\n");
    EXPECT_EQ(settings.setTime, 7);
    EXPECT_EQ(settings.runTime, 0);
    EXPECT_TRUE(settings.working);  // the break that showed has ended
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_EQ(autostart.entries.at("Orvanta"), paths.m_exePath);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Button("保存设置")->isEnabled());
}

TEST_F(SettingsDialogTest, AnEmptyFieldIsReportedAndNothingIsStored) {
    Open();
    Retype(Edit(0), "");
    Retype(Edit(1), "");
    Button("保存设置")->click();
    Retype(Edit(0), "3");
    Button("保存设置")->click();

    EXPECT_EQ(services.messages, (QStringList{QStringLiteral("请输入激活保护程序的间隔时间！"),
                                              QStringLiteral("请输入每次运行保护程序的时间！")}));
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=045\nRunTime=5\n");
    EXPECT_EQ(autostart.changes, 0);
}

TEST_F(SettingsDialogTest, HideWindowStoresOnlyTheLogonChoiceAndCloses) {
    autostart.entries["Orvanta"] = "old";
    Open();
    Retype(Edit(0), "99");
    Button("隐藏窗口")->click();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(services.messages.isEmpty());
    EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=045\nRunTime=5\n");
    EXPECT_TRUE(autostart.entries.empty());
    EXPECT_TRUE(canOpenSettings);
}

TEST_F(SettingsDialogTest, EscapeAndEnterCloseWithoutStoringAnything) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        Open();
        Retype(Edit(1), "8");
        AutoStartCheck()->click();
        QTest::keyClick(Edit(1), key);

        EXPECT_FALSE(dialog->isVisible()) << key;
        EXPECT_TRUE(canOpenSettings) << key;
        EXPECT_EQ(Config(), "[Option]\nBFirst=false\nBStart=false\nSetTime=045\nRunTime=5\n");
        EXPECT_EQ(autostart.changes, 0);
        EXPECT_TRUE(services.messages.isEmpty());
    }
}

TEST_F(SettingsDialogTest, EnterOnAFocusedButtonPressesIt) {
    Open();
    Retype(Edit(0), "12");
    Button("保存设置")->setFocus();
    QTest::keyClick(Button("保存设置"), Qt::Key_Return);

    EXPECT_EQ(services.messages, QStringList{QStringLiteral("保存成功")});
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SettingsDialogTest, TabGoesThroughTheControlsInTheTemplatesOrder) {
    Open();
    Retype(Edit(0), "1");  // makes the save button reachable
    Button("音乐设置")->setFocus();
    const QList<QWidget*> expected{
        Button("版本说明"), AutoStartCheck(),   Edit(0),           Edit(1),
        Button("保存设置"), Button("隐藏窗口"), Button("音乐设置")};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(SettingsDialogTest, VersionNotesOpenFromTheProgramFolder) {
    Open();
    Button("版本说明")->click();
    EXPECT_EQ(services.opened, QStringList{QString::fromStdString(folder.Folder()) +
                                           QStringLiteral("版本说明.txt")});
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SettingsDialogTest, TheLibraryButtonsRunTheirDialogsModallyAndStayOpenAfter) {
    Open();
    QStringList captions;
    bool breaksHeldBack = false;
    for (const char* button : {"音乐设置", "图片设置"}) {
        test::InNextModal([&](QWidget& library) {
            captions << library.windowTitle();
            breaksHeldBack = !settings.libraryClosed;
            QTest::keyClick(&library, Qt::Key_Escape);
        });
        Button(button)->click();
        EXPECT_TRUE(breaksHeldBack) << button;
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("音乐编辑"), QStringLiteral("图片编辑")}));
    EXPECT_TRUE(settings.libraryClosed);
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
}  // namespace velunor
