#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "music/MediaPlayer.h"

namespace velunor::test {

// A media player that plays nothing but keeps real playlists, so that tests can look at what they
// hold, and records every operation in the order it was made.
class FakeMediaPlayer : public MediaPlayer, PlayerControls, PlayerSettings, PlaylistCollection {
public:
    struct Media : PlayerMedia {
        explicit Media(std::string path) : path(std::move(path)) {}
        const std::string& Path() const override { return path; }
        std::string path;
    };

    struct Playlist : PlayerPlaylist {
        Playlist(FakeMediaPlayer& player, std::string name)
            : player(player), name(std::move(name)) {}
        void Clear() override {
            player.Record("Clear " + name);
            items.clear();
        }
        void AppendItem(const std::shared_ptr<PlayerMedia>& media) override {
            player.Record("AppendItem " + name);
            items.push_back(media->Path());
        }
        FakeMediaPlayer& player;
        std::string name;
        std::vector<std::string> items;  // the paths, in playing order
    };

    FakeMediaPlayer() : m_current(std::make_shared<Playlist>(*this, "")) {}

    PlayerControls& GetControls() override { return *this; }
    PlayerSettings& GetSettings() override { return *this; }
    PlaylistCollection& GetPlaylistCollection() override { return *this; }
    std::shared_ptr<PlayerPlaylist> GetCurrentPlaylist() override { return m_current; }
    void SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) override {
        m_current = std::dynamic_pointer_cast<Playlist>(playlist);
        Record("SetCurrentPlaylist " + m_current->name);
    }
    std::shared_ptr<PlayerMedia> NewMedia(const std::string& path) override {
        Record("NewMedia " + path);
        return std::make_shared<Media>(path);
    }

    void Play() override {
        Record("Play");
        playing = true;
    }
    void Stop() override {
        Record("Stop");
        playing = false;
    }
    void SetVolume(int value) override {
        Record("SetVolume " + std::to_string(value));
        volume = value;
    }
    void SetPlayCount(int count) override {
        Record("SetPlayCount " + std::to_string(count));
        playCount = count;
    }
    std::shared_ptr<PlayerPlaylist> NewPlaylist(std::string_view name) override {
        Record("NewPlaylist " + std::string(name));
        return std::make_shared<Playlist>(*this, std::string(name));
    }

    const Playlist& Current() const { return *m_current; }
    // The operations since the last call, then forgotten.
    std::vector<std::string> TakeCalls() { return std::exchange(m_calls, {}); }
    void Record(std::string call) {
        if (recording) {
            m_calls.push_back(std::move(call));
        }
    }

    bool playing = false;
    int volume = 0;
    int playCount = 1;
    bool recording = true;  // off where only the playlists matter (benchmarks)

private:
    std::shared_ptr<Playlist> m_current;
    std::vector<std::string> m_calls;
};

}  // namespace velunor::test
