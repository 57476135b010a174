#include "music/BreakPlaylist.h"

#include <optional>

#include "music/FolderListing.h"
#include "music/MediaFileName.h"

namespace velunor {
namespace {
constexpr std::string_view kMusicFolder = "Music";
}

BreakPlaylist::BreakPlaylist(MediaPlayer& player, const ProgramPaths& paths)
    : m_player(player), m_paths(paths) {}

void BreakPlaylist::PrepareAtStartup() {
    const auto playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
    AppendFolder(*playlist, m_startupCursor);
    m_player.SetCurrentPlaylist(playlist);
    SetFullVolumeAndRepeat();
    m_player.GetControls().Stop();
}

void BreakPlaylist::StartBreakMusic() {
    auto playlist = m_player.GetCurrentPlaylist();
    if (!playlist) {
        // A player that was never prepared has no current playlist to fill.
        playlist = m_player.GetPlaylistCollection().NewPlaylist("first");
    }
    AppendFolder(*playlist, m_breakCursor);
    m_player.SetCurrentPlaylist(playlist);
    SetFullVolumeAndRepeat();
    m_player.GetControls().Play();
}

void BreakPlaylist::StopBreakMusic() {
    m_player.GetControls().Stop();
}

void BreakPlaylist::EndBreakMusic() {
    StopBreakMusic();
    if (const auto playlist = m_player.GetCurrentPlaylist()) {
        playlist->Clear();
    }
    m_breakCursor = 0;
}

// One listing per scan, each entry visited once: a folder of thousands of files fills quickly,
// and a folder without music, or one that changes during the scan, cannot keep it going.
void BreakPlaylist::AppendFolder(PlayerPlaylist& playlist, int& cursor) {
    const auto listing = ListFolder(m_paths.SubFolder(kMusicFolder));
    std::optional<int> afterFirstAppended;
    for (std::size_t visited = 0; visited < listing.size(); ++visited) {
        const std::string name = NextFolderFile(listing, cursor);
        if (!IsMusicFileName(name)) {
            continue;
        }
        playlist.AppendItem(m_player.NewMedia(m_paths.FileIn(kMusicFolder, name)));
        if (!afterFirstAppended) {
            afterFirstAppended = cursor;
        }
    }
    if (afterFirstAppended) {
        cursor = *afterFirstAppended;
    }
}

void BreakPlaylist::SetFullVolumeAndRepeat() {
    m_player.GetSettings().SetVolume(kFullVolume);
    m_player.GetSettings().SetPlayCount(kPlayCount);
}

}  // namespace velunor
