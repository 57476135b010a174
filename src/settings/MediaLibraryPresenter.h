#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "session/BreakScheduler.h"
#include "settings/MediaLibraryKind.h"
#include "settings/MediaLibraryView.h"

namespace velunor {

namespace library_text {
inline constexpr std::string_view kTooManyFiles = "您选择的文件过多了";
inline constexpr std::string_view kDeleteFailed = "路径错误，删除失败";
}  // namespace library_text

// The selection of the platform's multi-select file dialog has to fit this many bytes.
inline constexpr std::size_t kSelectionBufferSize = 4000;

// The bytes a multi-select file dialog needs to hand over the chosen paths: their folder and each
// name, every one followed by a zero byte, and one more zero byte at the end.
std::size_t SelectionBufferSize(const std::vector<std::string>& paths);

// Everything the picture and music library dialogs decide: what they list, what is copied in and
// deleted, and what the user is told. While one is open no break starts; closing it restarts the
// work interval.
class MediaLibraryPresenter {
public:
    // The picture library: copied files stay in the folder.
    MediaLibraryPresenter(const MediaLibraryKind& kind, MediaLibraryView& view,
                          BreakScheduler& scheduler, const ProgramPaths& paths);
    // The music library: every file copied in also joins the player's current playlist.
    MediaLibraryPresenter(const MediaLibraryKind& kind, MediaLibraryView& view,
                          BreakScheduler& scheduler, const ProgramPaths& paths,
                          MediaPlayer& player);
    // A dialog that went away without OnDone does not hold breaks back for ever.
    ~MediaLibraryPresenter();
    MediaLibraryPresenter(const MediaLibraryPresenter&) = delete;
    MediaLibraryPresenter& operator=(const MediaLibraryPresenter&) = delete;

    // Lists the folder.
    void OnInitDialog();
    // "添加": copies the chosen files in, never over an existing one, and reports the counts.
    void OnAdd();
    // "删除": deletes the file of the selected row.
    void OnDelete();
    // "确定", Esc, Enter or a close request.
    void OnDone();

private:
    std::string Folder() const;
    std::string PathOf(std::string_view name) const;
    bool AddFile(const std::string& source);
    void InsertRow(const std::string& name);
    bool DeleteFile(const std::string& name) const;
    void JoinBreakPlaylist(const std::string& path);

    MediaLibraryKind m_kind;
    MediaLibraryView& m_view;
    BreakScheduler& m_scheduler;
    const ProgramPaths& m_paths;
    MediaPlayer* m_player = nullptr;  // none for the picture library
    std::vector<std::string> m_rows;  // as the list shows them, in descending byte order
    bool m_done = false;
};

}  // namespace velunor
