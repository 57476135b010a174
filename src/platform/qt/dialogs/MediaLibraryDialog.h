#pragma once

#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "platform/qt/dialogs/DialogServices.h"
#include "platform/qt/dialogs/ModalDialog.h"
#include "session/BreakScheduler.h"
#include "settings/MediaLibraryKind.h"
#include "settings/MediaLibraryPresenter.h"
#include "settings/MediaLibraryView.h"

class QTableWidget;

namespace velunor {

// "图片编辑" or "音乐编辑": the files of the Picture or Music folder, with buttons that copy files
// in and delete them. Run it with exec(); no break starts while it is open, and closing it, by
// "确定" or from the keyboard, restarts the work interval.
class MediaLibraryDialog : public ModalDialog, public MediaLibraryView {
    Q_OBJECT

public:
    // The picture library.
    MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                       const ProgramPaths& paths,
                       DialogServices services = DialogServices::Desktop(),
                       QWidget* parent = nullptr);
    // The music library: what it copies in also joins the player's current playlist.
    MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                       const ProgramPaths& paths, MediaPlayer& player,
                       DialogServices services = DialogServices::Desktop(),
                       QWidget* parent = nullptr);

    void InsertRow(std::size_t position, const std::string& name) override;
    void RemoveRow(std::size_t position) override;
    std::optional<std::size_t> SelectedRow() const override;
    std::optional<std::vector<std::string>> ChooseFiles() override;
    void ShowMessage(std::string_view text, MessageKind kind) override;
    void Close() override;

protected:
    void OnKeyboardClose() override;

private:
    void Build();
    void BuildList(const QRect& geometry);

    MediaLibraryKind m_kind;
    DialogServices m_services;
    MediaLibraryPresenter m_presenter;
    QTableWidget* m_list = nullptr;
};

}  // namespace velunor
