#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "music/MediaPlayer.h"

namespace velunor::test {

// A media player that plays nothing but keeps real playlists, so that tests can look at what they
// hold, and whether it plays, at what volume and how often.
class FakeMediaPlayer : public MediaPlayer, PlayerControls, PlayerSettings, PlaylistCollection {
public:
    struct Media : PlayerMedia {
        explicit Media(std::string path) : path(std::move(path)) {}
        const std::string& Path() const override { return path; }
        std::string path;
    };

    struct Playlist : PlayerPlaylist {
        explicit Playlist(std::string name) : name(std::move(name)) {}
        void Clear() override { items.clear(); }
        void AppendItem(const std::shared_ptr<PlayerMedia>& media) override {
            items.push_back(media->Path());
        }
        std::string name;
        std::vector<std::string> items;  // the paths, in playing order
    };

    FakeMediaPlayer() : m_current(std::make_shared<Playlist>("")) {}

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }
    PlaylistCollection& GetPlaylistCollection() override { return *this; }
    std::shared_ptr<PlayerPlaylist> GetCurrentPlaylist() override { return m_current; }
    void SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) override {
        m_current = std::dynamic_pointer_cast<Playlist>(playlist);
    }
    std::shared_ptr<PlayerMedia> NewMedia(const std::string& path) override {
        return std::make_shared<Media>(path);
    }

    void Play() override { playing = true; }
    void Stop() override { playing = false; }
    void SetVolume(int value) override { volume = value; }
    void SetPlayCount(int count) override { playCount = count; }
    std::shared_ptr<PlayerPlaylist> NewPlaylist(std::string_view name) override {
        return std::make_shared<Playlist>(std::string(name));
    }

    const Playlist& Current() const { return *m_current; }

    bool playing = false;
    int volume = 0;
    int playCount = 1;

private:
    std::shared_ptr<Playlist> m_current;
};

}  // namespace velunor::test
