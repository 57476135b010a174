#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <memory>

#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/SettingsDialog.h"
#include "support/ProgramState.h"

namespace velunor {
namespace {

constexpr const char* kConfig = "[Option]\nBFirst=true\nBStart=false\nSetTime=045\nRunTime=5\n";
constexpr const char* kConfigOnceOpened =
    "[Option]\nBFirst=false\nBStart=false\nSetTime=045\nRunTime=5\n";

// Each text has room in its control, each control in the dialog, and no two controls overlap:
// checked on every dialog as it opens.
void ExpectNothingClippedOrOverlapping(const QWidget& dialog) {
    QList<const QWidget*> controls;
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto* group = qobject_cast<const QGroupBox*>(child);
        const QString text = group ? group->title() : child->property("text").toString();
        const bool check = qobject_cast<const QCheckBox*>(child) != nullptr;
        const QSize needed =
            check || qobject_cast<const QLabel*>(child)
                ? child->sizeHint()
                : QFontMetrics(child->font()).size(0, text) + QSize(group ? 16 : 8, 4);
        EXPECT_LE(needed.width(), child->width()) << text.toStdString();
        EXPECT_TRUE(group || check || needed.height() <= child->height()) << text.toStdString();
        EXPECT_TRUE(dialog.rect().contains(child->geometry())) << text.toStdString();
        if (!group && child->isVisible()) {
            for (const QWidget* other : controls) {
                EXPECT_FALSE(child->geometry().intersects(other->geometry())) << text.toStdString();
            }
            controls << child;
        }
    }
}

// The dialogs on a program folder of their own, with message boxes and a file chooser that only
// note what they are asked and answer chosenFiles.
class DialogsTest : public testing::Test, protected test::ProgramState {
protected:
    QDialog& OpenSettings() {
        return Show(std::make_unique<SettingsDialog>(settings, scheduler, autostart, paths, player,
                                                     Services()));
    }
    QDialog& OpenLibrary(bool music) {
        return Show(music ? std::make_unique<MediaLibraryDialog>(kMusicLibrary, scheduler, paths,
                                                                 player, Services())
                          : std::make_unique<MediaLibraryDialog>(kPictureLibrary, scheduler, paths,
                                                                 Services()));
    }
    QDialog& Show(std::unique_ptr<QDialog> opened) {
        dialog = std::move(opened);
        dialog->show();
        return *dialog;
    }
    DialogServices Services() {
        return {[this](QWidget*, const QString& text, MessageKind) { messages << text; },
                [this](QWidget*, const QStringList&) { return chosenFiles; },
                [](const QString&) {}};
    }

    QPushButton* Button(const char* text) const {
        const auto buttons = dialog->findChildren<QPushButton*>();
        return *std::ranges::find(buttons, QString::fromUtf8(text), &QPushButton::text);
    }
    QLineEdit* Edit(int index) const { return dialog->findChildren<QLineEdit*>().at(index); }
    void Retype(QLineEdit* edit, const char* text) {
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    QTableWidget* List() const { return dialog->findChild<QTableWidget*>(); }
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < List()->rowCount(); ++row) {
            rows << List()->item(row, 0)->text();
        }
        return rows;
    }

    QStringList messages;
    QStringList chosenFiles;
    std::unique_ptr<QDialog> dialog;
};

TEST_F(DialogsTest, SettingsTakeDigitsOnlyAndSaveOnceAnEditChanged) {
    folder.Write("config.ini", kConfig);
    OpenSettings();
    dialog->findChild<QCheckBox*>()->click();
    EXPECT_FALSE(Button("保存设置")->isEnabled());

    Edit(0)->setFocus();
    Edit(0)->end(false);
    QTest::keyClicks(Edit(0), QStringLiteral("1a- 0"));
    QTest::sendKeyEvent(QTest::Click, Edit(0), Qt::Key_unknown, QStringLiteral("２"), {});
    EXPECT_EQ(Edit(0)->text(), QStringLiteral("4510"));
    ASSERT_TRUE(Button("保存设置")->isEnabled());
    Button("保存设置")->click();
    const std::string saved = "[Option]\nBFirst=false\nBStart=true\nSetTime=4510\nRunTime=5\n";
    EXPECT_EQ(folder.Read("config.ini"), saved);

    // Enter presses the button that has the focus; which fields the presenter refuses is its own
    // test's business.
    Retype(Edit(0), "");
    Button("保存设置")->setFocus();
    QTest::keyClick(Button("保存设置"), Qt::Key_Return);
    EXPECT_EQ(messages.size(), 2);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(DialogsTest, SettingsHaveNoCloseBoxAndEscOrEnterCloseWithoutStoring) {
    folder.Write("config.ini", kConfig);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        ExpectNothingClippedOrOverlapping(OpenSettings());
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        Retype(Edit(1), "8");
        dialog->findChild<QCheckBox*>()->click();
        QTest::keyClick(Edit(1), key);
        EXPECT_FALSE(dialog->isVisible()) << key;
        EXPECT_EQ(folder.Read("config.ini"), kConfigOnceOpened) << key;
    }
}

// Which files are listed, copied and refused is the presenter test's; here the list, the buttons
// and the chooser are wired to it, names outside ASCII included.
TEST_F(DialogsTest, LibraryListsInTheLogicsOrderAddsChosenFilesAndDeletesTheSelectedOne) {
    test::TempFolder elsewhere;
    for (const char* name : {"a.jpg", "B.PNG", "c.Bmp", "abc", "x.gif"}) {
        folder.Write(std::string("Picture/") + name, "old");
    }
    elsewhere.Write("图.bmp", "new");
    chosenFiles = {QString::fromStdString(elsewhere.File("图.bmp"))};
    ExpectNothingClippedOrOverlapping(OpenLibrary(false));
    EXPECT_EQ(Rows(), (QStringList{"c.Bmp", "abc", "a.jpg", "B.PNG"}));
    Button("添加")->click();
    EXPECT_EQ(Rows(), (QStringList{"图.bmp", "c.Bmp", "abc", "a.jpg", "B.PNG"}));

    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualRect(List()->model()->index(2, 0)).center());
    Button("删除")->click();
    EXPECT_EQ(Rows(), (QStringList{"图.bmp", "c.Bmp", "a.jpg", "B.PNG"}));
}

TEST_F(DialogsTest, LibraryHoldsBreaksBackUntilOkEscOrEnterClosesIt) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_unknown}) {
        ExpectNothingClippedOrOverlapping(OpenLibrary(true));
        EXPECT_FALSE(settings.libraryClosed) << key;
        if (key == Qt::Key_unknown) {
            Button("确定")->click();
        } else {
            QTest::keyClick(List(), key);
        }
        EXPECT_FALSE(dialog->isVisible()) << key;
        EXPECT_TRUE(settings.libraryClosed) << key;
    }
}

}  // namespace
}  // namespace velunor
