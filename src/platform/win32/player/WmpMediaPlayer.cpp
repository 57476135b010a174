#include "platform/win32/player/WmpMediaPlayer.h"

#include <oleauto.h>

#include "platform/win32/WideText.h"
#include "platform/win32/player/WmpMedia.h"
#include "platform/win32/player/WmpPlaylist.h"

namespace velunor {
namespace {

// A text for one call, freed after it.
class CallText {
public:
    explicit CallText(std::string_view text) : m_text(SysAllocString(Widen(text).c_str())) {}
    ~CallText() { SysFreeString(m_text); }
    CallText(const CallText&) = delete;
    CallText& operator=(const CallText&) = delete;
    BSTR Get() const { return m_text; }

private:
    BSTR m_text;
};

}  // namespace

std::unique_ptr<WmpMediaPlayer> WmpMediaPlayer::Create() {
    ComRef<IWMPPlayer4> player;
    if (FAILED(CoCreateInstance(__uuidof(WindowsMediaPlayer), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IWMPPlayer4),
                                reinterpret_cast<void**>(player.Receive()))) ||
        !player || !TakesPlaylists(*player.Get())) {
        return nullptr;
    }
    return std::unique_ptr<WmpMediaPlayer>(new WmpMediaPlayer(std::move(player)));
}

// Some players (Wine's among them) make media and play a single file but refuse what the break
// music rests on: a playlist of its own made current, and a repeat count.
bool WmpMediaPlayer::TakesPlaylists(IWMPPlayer4& player) {
    ComRef<IWMPPlaylist> playlist;
    ComRef<IWMPSettings> settings;
    const CallText name("first");
    return SUCCEEDED(player.newPlaylist(name.Get(), nullptr, playlist.Receive())) && playlist &&
           SUCCEEDED(player.put_currentPlaylist(playlist.Get())) &&
           SUCCEEDED(player.get_settings(settings.Receive())) && settings &&
           SUCCEEDED(settings->put_autoStart(VARIANT_FALSE)) &&
           SUCCEEDED(settings->put_playCount(1));
}

std::shared_ptr<PlayerPlaylist> WmpMediaPlayer::GetCurrentPlaylist() {
    ComRef<IWMPPlaylist> playlist;
    m_player->get_currentPlaylist(playlist.Receive());
    return std::make_shared<WmpPlaylist>(std::move(playlist));
}

void WmpMediaPlayer::SetCurrentPlaylist(const std::shared_ptr<PlayerPlaylist>& playlist) {
    const auto* ours = dynamic_cast<const WmpPlaylist*>(playlist.get());
    if (ours != nullptr && ours->Get() != nullptr) {
        m_player->put_currentPlaylist(ours->Get());
    }
}

std::shared_ptr<PlayerMedia> WmpMediaPlayer::NewMedia(const std::string& path) {
    ComRef<IWMPMedia> media;
    const CallText url(path);
    m_player->newMedia(url.Get(), media.Receive());
    return std::make_shared<WmpMedia>(path, std::move(media));
}

// The player's own new playlist rather than one of its collection's: that one would be kept in
// the user's media library, one more "first" at every start.
std::shared_ptr<PlayerPlaylist> WmpMediaPlayer::NewPlaylist(std::string_view name) {
    ComRef<IWMPPlaylist> playlist;
    const CallText text(name);
    m_player->newPlaylist(text.Get(), nullptr, playlist.Receive());
    return std::make_shared<WmpPlaylist>(std::move(playlist));
}

void WmpMediaPlayer::Play() {
    if (const auto controls = Controls()) {
        controls->play();
    }
}

void WmpMediaPlayer::Stop() {
    if (const auto controls = Controls()) {
        controls->stop();
    }
}

void WmpMediaPlayer::SetVolume(int volume) {
    if (const auto settings = Settings()) {
        settings->put_volume(volume);
    }
}

void WmpMediaPlayer::SetPlayCount(int count) {
    if (const auto settings = Settings()) {
        settings->put_playCount(count);
    }
}

ComRef<IWMPControls> WmpMediaPlayer::Controls() const {
    ComRef<IWMPControls> controls;
    m_player->get_controls(controls.Receive());
    return controls;
}

ComRef<IWMPSettings> WmpMediaPlayer::Settings() const {
    ComRef<IWMPSettings> settings;
    m_player->get_settings(settings.Receive());
    return settings;
}

}  // namespace velunor
