#include "platform/qt/dialogs/SettingsDialog.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/TemplateLayout.h"
#include "settings/MediaLibraryKind.h"

namespace velunor {

SettingsDialog::SettingsDialog(AppSettings& settings, BreakScheduler& scheduler,
                               AutostartStore& autostart, const ProgramPaths& paths,
                               MediaPlayer& player, DialogServices services, QWidget* parent)
    : ModalDialog(parent),
      m_scheduler(scheduler),
      m_paths(paths),
      m_player(player),
      m_services(std::move(services)),
      m_presenter(*this, settings, scheduler, autostart, paths) {
    BuildControls();
    ConnectButtons();
    m_presenter.OnInitDialog();
    // Only now: filling the edits is no change of the user's.
    for (QLineEdit* edit : {m_setTimeEdit, m_runTimeEdit}) {
        connect(edit, &QLineEdit::textChanged, this, [this] { m_presenter.OnIntervalChanged(); });
    }
}

// In the order of the template, which is also the order Tab goes through the controls.
void SettingsDialog::BuildControls() {
    TemplateLayout layout(*this, "设置", 243, 225);
    layout.GroupBox("音乐设置", {11, 8, 217, 45});
    m_musicButton = layout.Button("音乐设置", {34, 25, 75, 16});
    m_notesButton = layout.Button("版本说明", {128, 25, 76, 16});
    layout.GroupBox("启动及时间设置", {11, 62, 218, 153});
    layout.GroupBox("启动设置", {27, 77, 185, 28});
    m_autoStartCheck = layout.CheckBox("开机时启动本软件", {48, 89, 79, 10});
    m_pictureButton = layout.Button("图片设置", {132, 85, 72, 16});
    m_pictureButton->hide();  // as it always was: nothing in the dialog shows it
    layout.GroupBox("时间设置", {27, 109, 185, 68});
    layout.Label("多少分钟激活一次保护程序", {48, 129, 96, 10});
    m_setTimeEdit = layout.DigitsEdit({146, 126, 22, 14});
    layout.Label("分钟", {172, 129, 22, 9});
    layout.Label("每次运行保护程序的时间", {47, 156, 98, 15});
    m_runTimeEdit = layout.DigitsEdit({146, 153, 22, 13});
    layout.Label("分钟", {172, 156, 22, 9});
    m_saveButton = layout.Button("保存设置", {38, 185, 69, 18});
    m_hideButton = layout.Button("隐藏窗口", {128, 184, 71, 19});
}

void SettingsDialog::ConnectButtons() {
    connect(m_saveButton, &QPushButton::clicked, this, [this] { m_presenter.OnSave(); });
    connect(m_hideButton, &QPushButton::clicked, this, [this] { m_presenter.OnHideWindow(); });
    connect(m_musicButton, &QPushButton::clicked, this, [this] { m_presenter.OnMusicLibrary(); });
    connect(m_pictureButton, &QPushButton::clicked, this,
            [this] { m_presenter.OnPictureLibrary(); });
    connect(m_notesButton, &QPushButton::clicked, this, [this] { m_presenter.OnVersionNotes(); });
}

void SettingsDialog::ShowValues(const SettingsValues& values) {
    m_autoStartCheck->setChecked(values.autoStart);
    m_setTimeEdit->setText(QString::fromUtf8(values.setTimeText));
    m_runTimeEdit->setText(QString::fromUtf8(values.runTimeText));
}

SettingsValues SettingsDialog::EnteredValues() const {
    return SettingsValues{m_autoStartCheck->isChecked(), m_setTimeEdit->text().toStdString(),
                          m_runTimeEdit->text().toStdString()};
}

void SettingsDialog::SetSaveEnabled(bool enabled) {
    m_saveButton->setEnabled(enabled);
}

void SettingsDialog::ShowMessage(std::string_view text, MessageKind kind) {
    m_services.showMessage(this, QString::fromUtf8(text), kind);
}

void SettingsDialog::Close() {
    done(QDialog::Rejected);
}

void SettingsDialog::RunMusicLibrary() {
    MediaLibraryDialog library(kMusicLibrary, m_scheduler, m_paths, m_player, m_services, this);
    library.exec();
}

void SettingsDialog::RunPictureLibrary() {
    MediaLibraryDialog library(kPictureLibrary, m_scheduler, m_paths, m_services, this);
    library.exec();
}

void SettingsDialog::OpenDocument(const std::string& path) {
    m_services.openDocument(QFile::decodeName(QByteArray::fromStdString(path)));
}

void SettingsDialog::OnKeyboardClose() {
    m_presenter.OnClose();
}

}  // namespace velunor
