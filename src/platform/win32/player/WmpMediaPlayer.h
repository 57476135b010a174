#pragma once

#include <wmp.h>

#include <memory>

#include "music/MediaPlayer.h"
#include "platform/win32/Handles.h"

namespace velunor {

// The break music on the Windows Media Player object, created without a window: its playlists,
// volume and repeat count are the player's own. Every call's failure is ignored, so a player that
// refuses one leaves the break silent, never the program broken.
class WmpMediaPlayer : public MediaPlayer,
                       private PlayerControls,
                       private PlayerSettings,
                       private PlaylistCollection {
public:
    // The player when its object exists on this system and takes playlists and a repeat count;
    // none otherwise. COM must be initialised on the calling thread, which is the only one that
    // may use the player.
    static std::unique_ptr<WmpMediaPlayer> Create();

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }
    PlaylistCollection& GetPlaylistCollection() override { return *this; }
    std::shared_ptr<PlayerPlaylist> GetCurrentPlaylist() override;
    void SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) override;
    std::shared_ptr<PlayerMedia> NewMedia(const std::string& path) override;

private:
    explicit WmpMediaPlayer(ComRef<IWMPPlayer4> player) : m_player(std::move(player)) {}
    static bool TakesPlaylists(IWMPPlayer4& player);

    void Play() override;
    void Stop() override;
    void SetVolume(int volume) override;
    void SetPlayCount(int count) override;
    std::shared_ptr<PlayerPlaylist> NewPlaylist(std::string_view name) override;

    ComRef<IWMPControls> Controls() const;
    ComRef<IWMPSettings> Settings() const;

    ComRef<IWMPPlayer4> m_player;
};

}  // namespace velunor
