#pragma once

#include <string>

#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"

namespace velunor {

// The music of the break screen: every music file of the Music folder beside the program, in
// listing order, at full volume, repeated for as long as the break lasts.
class BreakPlaylist {
public:
    // Enough repeats of the playlist for any break.
    static constexpr int kPlayCount = 100'000'000;
    static constexpr int kFullVolume = 100;

    BreakPlaylist(MediaPlayer& player, const ProgramPaths& paths);

    // Once at start-up: a new playlist "first" holding the folder's music becomes the player's
    // current playlist, volume and repeat count set, player stopped.
    void PrepareAtStartup();

    // At the start of a break: the folder's music is appended to the current playlist, which then
    // plays. In the first break after start-up the playlist therefore holds the music twice.
    void StartBreakMusic();

    void StopBreakMusic();

    // At the end of a break: stops, empties the current playlist and rewinds the folder position,
    // so that the next break plays the folder from its first file again.
    void EndBreakMusic();

private:
    // Appends the folder's accepted entries, starting at the cursor's position in the listing and
    // wrapping around; the cursor ends one past the first entry appended.
    void AppendFolder(PlayerPlaylist& playlist, int& cursor);
    void SetFullVolumeAndRepeat();

    MediaPlayer& m_player;
    const ProgramPaths& m_paths;
    int m_startupCursor = 0;
    int m_breakCursor = 0;
};

}  // namespace velunor
