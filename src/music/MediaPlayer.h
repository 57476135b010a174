#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velunor {

// One file to be played, as the player knows it. The player makes no check that the file exists
// or plays until it reaches it.
class PlayerMedia {
public:
    virtual ~PlayerMedia() = default;
    virtual const std::string& Path() const = 0;
};

// An ordered list of media; plays in the order of appending.
class PlayerPlaylist {
public:
    virtual ~PlayerPlaylist() = default;
    // Removes every item; a current playlist stays current.
    virtual void Clear() = 0;
    virtual void AppendItem(const std::shared_ptr<PlayerMedia>& media) = 0;
};

class PlaylistCollection {
public:
    virtual ~PlaylistCollection() = default;
    // A new, empty playlist that can be filled and made current.
    virtual std::shared_ptr<PlayerPlaylist> NewPlaylist(std::string_view name) = 0;
};

class PlayerControls {
public:
    virtual ~PlayerControls() = default;
    // Plays the current playlist from its start.
    virtual void Play() = 0;
    virtual void Stop() = 0;
};

class PlayerSettings {
public:
    virtual ~PlayerSettings() = default;
    // 0 to 100.
    virtual void SetVolume(int volume) = 0;
    // How many times the whole current playlist is played.
    virtual void SetPlayCount(int count) = 0;
};

// The music player of the break screen: the thirteen operations the program uses, nothing more.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    virtual PlayerControls& GetControls() = 0;
    virtual PlayerSettings& GetSettings() = 0;
    virtual PlaylistCollection& GetPlaylistCollection() = 0;
    virtual std::shared_ptr<PlayerPlaylist> GetCurrentPlaylist() = 0;
    virtual void SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) = 0;
    virtual std::shared_ptr<PlayerMedia> NewMedia(const std::string& path) = 0;
};

}  // namespace velunor
