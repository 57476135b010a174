#include "settings/MediaLibraryPresenter.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

#include "base/Utf8Path.h"
#include "music/FolderListing.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

// A name that stays inside the folder it is joined to.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string{'/', kPathSeparator}) == std::string_view::npos;
}

std::string AddedSummary(int added, int failed) {
    return "添加成功" + std::to_string(added) + "个文件," + "文件已存在或拷贝失败" +
           std::to_string(failed) + "个文件";
}

}  // namespace

std::size_t SelectionBufferSize(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return 1;
    }
    std::string folder = SplitPath(paths.front()).second;
    if (folder.size() > 1) {
        folder.pop_back();  // the dialog gives the folder without its separator
    }
    std::size_t size = folder.size() + 1;
    for (const auto& path : paths) {
        size += FileNameOf(path).size() + 1;
    }
    return size + 1;
}

MediaLibraryPresenter::MediaLibraryPresenter(const MediaLibraryKind& kind, MediaLibraryView& view,
                                             BreakScheduler& scheduler, const ProgramPaths& paths)
    : m_kind(kind), m_view(view), m_scheduler(scheduler), m_paths(paths) {
    m_scheduler.OnLibraryOpened();
}

MediaLibraryPresenter::MediaLibraryPresenter(const MediaLibraryKind& kind, MediaLibraryView& view,
                                             BreakScheduler& scheduler, const ProgramPaths& paths,
                                             MediaPlayer& player)
    : MediaLibraryPresenter(kind, view, scheduler, paths) {
    m_player = &player;
}

MediaLibraryPresenter::~MediaLibraryPresenter() {
    if (!m_done) {
        m_scheduler.OnLibraryClosed();
    }
}

void MediaLibraryPresenter::OnInitDialog() {
    for (const auto& name : ListFolder(Folder())) {
        if (IsListedName(name, m_kind.endings)) {
            InsertRow(name);
        }
    }
}

void MediaLibraryPresenter::OnAdd() {
    const auto chosen = m_view.ChooseFiles();
    if (!chosen || chosen->empty()) {
        return;
    }
    if (SelectionBufferSize(*chosen) > kSelectionBufferSize) {
        m_view.ShowMessage(library_text::kTooManyFiles, MessageKind::Failure);
        return;
    }
    int added = 0;
    int failed = 0;
    for (const auto& source : *chosen) {
        ++(AddFile(source) ? added : failed);
    }
    m_view.ShowMessage(AddedSummary(added, failed),
                       failed > 0 ? MessageKind::Failure : MessageKind::Information);
}

// The listing rule does not apply here: whatever the user chose is shown at once.
bool MediaLibraryPresenter::AddFile(const std::string& source) {
    const std::string name = FileNameOf(source);
    if (!IsPlainName(name)) {
        return false;
    }
    const std::string target = PathOf(name);
    // Fails when the target exists, even when it appeared only a moment ago: a file already in
    // the folder, or the chosen file itself, is never overwritten.
    std::error_code error;
    if (!fs::copy_file(PathFromUtf8(source), PathFromUtf8(target), fs::copy_options::none, error) ||
        error) {
        return false;
    }
    InsertRow(name);
    if (m_player != nullptr) {
        JoinBreakPlaylist(target);
    }
    return true;
}

// The copy, not the chosen file, so that the playlist keeps playing it wherever the original
// goes; stopped, so that nothing sounds outside a break.
void MediaLibraryPresenter::JoinBreakPlaylist(const std::string& path) {
    if (const auto playlist = m_player->GetCurrentPlaylist()) {
        playlist->AppendItem(m_player->NewMedia(path));
    }
    m_player->GetControls().Stop();
}

void MediaLibraryPresenter::InsertRow(const std::string& name) {
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), name, std::greater<>());
    if (at != m_rows.end() && *at == name) {
        return;
    }
    const auto position = static_cast<std::size_t>(at - m_rows.begin());
    m_rows.insert(at, name);
    m_view.InsertRow(position, name);
}

void MediaLibraryPresenter::OnDelete() {
    const auto selected = m_view.SelectedRow();
    if (!selected || *selected >= m_rows.size() || !DeleteFile(m_rows[*selected])) {
        m_view.ShowMessage(library_text::kDeleteFailed, MessageKind::Failure);
        return;
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*selected));
    m_view.RemoveRow(*selected);
    m_view.ShowMessage(m_kind.deletedMessage, MessageKind::Information);
}

// Files only, as the library always did; read-only ones too.
bool MediaLibraryPresenter::DeleteFile(const std::string& name) const {
    if (!IsPlainName(name)) {
        return false;
    }
    const fs::path path = PathFromUtf8(PathOf(name));
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    if (error || fs::is_directory(status)) {
        return false;
    }
    if (fs::is_regular_file(status)) {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    }
    return fs::remove(path, error) && !error;
}

void MediaLibraryPresenter::OnDone() {
    m_done = true;
    m_scheduler.OnLibraryClosed();
    m_view.Close();
}

std::string MediaLibraryPresenter::Folder() const {
    return m_paths.SubFolder(m_kind.subFolder);
}

std::string MediaLibraryPresenter::PathOf(std::string_view name) const {
    return m_paths.FileIn(m_kind.subFolder, name);
}

}  // namespace velunor
