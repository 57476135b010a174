#pragma once

#include <dshow.h>
#include <windows.h>

#include <optional>

#include "music/MediaPlayerPlaylists.h"
#include "music/PlaybackQueue.h"
#include "platform/win32/Handles.h"

namespace velunor {

// The break music on DirectShow, for systems whose Media Player is missing or refuses playlists.
// DirectShow plays one file at a time, so the playlists, the repeat count and the walk through
// the current list are kept here: at the end of a file the next one starts, and a file that cannot
// be played is skipped. A pass over the list in which nothing played ends the run, so a folder of
// broken files stays silent instead of spinning. Between runs no graph (and no decoder) is held.
class DirectShowPlayer : public MediaPlayerPlaylists,
                         private PlayerControls,
                         private PlayerSettings {
public:
    // COM must be initialised on the calling thread; the player's events arrive through that
    // thread's message loop.
    DirectShowPlayer();
    ~DirectShowPlayer() override;
    DirectShowPlayer(const DirectShowPlayer&) = delete;
    DirectShowPlayer& operator=(const DirectShowPlayer&) = delete;

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void Play() override;
    void Stop() override;
    void SetVolume(int volume) override;
    void SetPlayCount(int count) override { m_playCount = count; }

    void PlayFrom(std::optional<std::size_t> index);
    bool StartFile(const std::string& path);
    void ApplyVolume();
    void ReleaseGraph();
    void OnGraphEvents();

    HWND m_window = nullptr;  // receives the graph's events
    ComRef<IGraphBuilder> m_graph;
    ComRef<IMediaControl> m_control;
    ComRef<IMediaEventEx> m_events;
    PlaybackQueue m_queue;
    int m_playCount = 1;
    int m_volume = 100;
};

}  // namespace velunor
