#pragma once

#include <memory>

#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "platform/win32/dialogs/ModalDialog.h"
#include "session/BreakScheduler.h"
#include "settings/MediaLibraryKind.h"
#include "settings/MediaLibraryPresenter.h"
#include "settings/MediaLibraryView.h"

namespace velunor {

// "图片编辑" (template 137) or "音乐编辑" (template 139): the files of the Picture or Music
// folder in a one-column list, with buttons that copy files in and delete them. No break starts
// while it is open.
class MediaLibraryDialog : public ModalDialog, public MediaLibraryView {
public:
    // player: the one the music library adds copied files to; none for the picture library.
    MediaLibraryDialog(const MediaLibraryKind& kind, BreakScheduler& scheduler,
                       const ProgramPaths& paths, MediaPlayer* player);

    void InsertRow(std::size_t position, const std::string& name) override;
    void RemoveRow(std::size_t position) override;
    std::optional<std::size_t> SelectedRow() const override;
    std::optional<std::vector<std::string>> ChooseFiles() override;
    void ShowMessage(std::string_view text, MessageKind kind) override;
    void Close() override;

    // The template and control ids of one library.
    struct Controls {
        int templateId, list, add, remove, done;
    };

private:
    void OnInitDialog() override;
    void OnCommand(int id, int notification) override;
    void OnKeyboardClose() override;
    void OnScalingChanged() override;
    HWND List() const { return Control(m_controls.list); }

    const MediaLibraryKind& m_kind;
    Controls m_controls;
    std::unique_ptr<MediaLibraryPresenter> m_presenter;
};

}  // namespace velunor
