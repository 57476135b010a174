#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "DialogTestSupport.h"
#include "ProgramState.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/dialogs/LibraryFileFilters.h"
#include "platform/qt/dialogs/MediaLibraryDialog.h"

namespace velunor {
namespace {

using test::FindByText;

class MediaLibraryDialogTest : public ::testing::Test, protected test::ProgramState {
protected:
    MediaLibraryDialog& OpenPictures() {
        dialog = std::make_unique<MediaLibraryDialog>(kPictureLibrary, scheduler, paths,
                                                      services.Services());
        test::ShowActive(*dialog);
        return *dialog;
    }
    MediaLibraryDialog& OpenMusic() {
        dialog = std::make_unique<MediaLibraryDialog>(kMusicLibrary, scheduler, paths, player,
                                                      services.Services());
        test::ShowActive(*dialog);
        return *dialog;
    }
    QTableWidget* List() const { return dialog->findChild<QTableWidget*>(); }
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < List()->rowCount(); ++row) {
            rows << List()->item(row, 0)->text();
        }
        return rows;
    }
    void ClickRow(int row) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualRect(List()->model()->index(row, 0)).center());
    }
    void Press(const char* text) {
        FindByText<QPushButton>(*dialog, QString::fromUtf8(text))->click();
    }

    test::TempFolder elsewhere;  // where the chosen files come from
    test::RecordingServices services;
    std::unique_ptr<MediaLibraryDialog> dialog;
};

TEST_F(MediaLibraryDialogTest, ListsThePictureFolderInTheOrderTheLogicKeeps) {
    for (const char* name :
         {"a.jpg", "B.PNG", "c.Bmp", "photo.jpeg", "x.gif", "abc", "Thumbs.db"}) {
        folder.Write(std::string("Picture/") + name, "x");
    }
    OpenPictures();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("图片编辑"));
    EXPECT_EQ(Rows(), (QStringList{"c.Bmp", "abc", "a.jpg", "B.PNG"}));
    EXPECT_EQ(List()->columnCount(), 1);
    EXPECT_EQ(List()->horizontalHeaderItem(0)->text(), QStringLiteral("  图片文件名  "));
    EXPECT_EQ(List()->columnWidth(0), 160);
    EXPECT_FALSE(settings.libraryClosed);  // no break while it is open
}

TEST_F(MediaLibraryDialogTest, BothLibrariesHaveTheirTemplatesSizeAndNoClosebox) {
    OpenPictures();
    const DialogUnits units(dialog->font());
    EXPECT_EQ(dialog->size(), units.Size(178, 170));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    test::ExpectNoTextClipped(*dialog);
    OpenMusic();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("音乐编辑"));
    EXPECT_EQ(List()->horizontalHeaderItem(0)->text(), QStringLiteral("  音乐文件名  "));
    EXPECT_EQ(dialog->size(), units.Size(177, 170));
    test::ExpectNoTextClipped(*dialog);
}

TEST_F(MediaLibraryDialogTest, AddCopiesTheChosenFilesInAndCountsAClashAsFailed) {
    folder.Write("Picture/b.png", "old");
    for (const char* name : {"a.jpg", "b.png", "图.bmp"}) {
        elsewhere.Write(name, "new");
        services.chosenFiles << QString::fromStdString(elsewhere.File(name));
    }
    OpenPictures();
    Press("添加");

    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("添加成功2个文件,文件已存在或拷贝失败1个文件")});
    EXPECT_EQ(Rows(), (QStringList{"图.bmp", "b.png", "a.jpg"}));
    EXPECT_EQ(folder.Read("Picture/图.bmp"), "new");
    EXPECT_EQ(folder.Read("Picture/b.png"), "old");
    EXPECT_EQ(services.chooserFilters.size(), 2);
}

TEST_F(MediaLibraryDialogTest, MusicCopiesJoinThePlaylistAndACancelDoesNothing) {
    folder.Write("Music/a.mid", "x");
    OpenMusic();
    Press("添加");  // the chooser answers nothing: cancelled
    EXPECT_TRUE(services.messages.isEmpty());

    elsewhere.Write("song.mp3", "x");
    services.chosenFiles = {QString::fromStdString(elsewhere.File("song.mp3"))};
    Press("添加");
    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("添加成功1个文件,文件已存在或拷贝失败0个文件")});
    EXPECT_EQ(Rows(), (QStringList{"song.mp3", "a.mid"}));
    EXPECT_EQ(player.Current().items, std::vector<std::string>{folder.File("Music/song.mp3")});
    EXPECT_FALSE(player.playing);
}

TEST_F(MediaLibraryDialogTest, DeleteRemovesTheSelectedFileOnly) {
    folder.Write("Picture/a.jpg", "x");
    folder.Write("Picture/b.jpg", "x");
    OpenPictures();
    Press("删除");  // nothing selected
    ClickRow(1);
    Press("删除");
    Press("删除");  // the selection went with the row

    EXPECT_EQ(services.messages,
              (QStringList{QStringLiteral("路径错误，删除失败"), QStringLiteral("删除图片文件成功"),
                           QStringLiteral("路径错误，删除失败")}));
    EXPECT_EQ(Rows(), QStringList{"b.jpg"});
    EXPECT_FALSE(folder.Exists("Picture/a.jpg"));
    EXPECT_TRUE(folder.Exists("Picture/b.jpg"));
}

TEST_F(MediaLibraryDialogTest, DoneEscapeAndEnterCloseAndRestartTheInterval) {
    folder.Write("Music/a.mp3", "x");
    for (const char* way : {"确定", "Escape", "Enter"}) {
        OpenMusic();
        clock.Advance(60);
        if (std::string(way) == "确定") {
            Press("确定");
        } else {
            List()->setFocus();
            QTest::keyClick(List(), std::string(way) == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        }
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_TRUE(settings.libraryClosed) << way;
        EXPECT_EQ(settings.workStart, clock.Now()) << way;
    }
}

TEST_F(MediaLibraryDialogTest, TheFileChooserShowsTheLabelsAndFiltersByTheirPatterns) {
    QFileDialog chooser;
    chooser.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    chooser.setNameFilters(LibraryFileFilters(kMusicLibrary));
    const auto* types = chooser.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral("支持音乐格式(*.mp3;*.wma;*.mid)"));
    EXPECT_EQ(types->itemText(1), QStringLiteral("*.*(所有文件)"));

    const auto* files = chooser.findChild<QFileSystemModel*>();
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->nameFilters(), (QStringList{"*.mp3", "*.wma", "*.mid"}));
    chooser.selectNameFilter(chooser.nameFilters().at(1));
    EXPECT_EQ(files->nameFilters(), QStringList{"*"});  // names without a dot too
}

}  // namespace
}  // namespace velunor
