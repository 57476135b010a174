#pragma once

#include <wmp.h>

#include <string>
#include <utility>

#include "music/MediaPlayer.h"
#include "platform/win32/Handles.h"

namespace velunor {

// A file as Windows Media Player knows it; none when the player refused to make one.
class WmpMedia : public PlayerMedia {
public:
    WmpMedia(std::string path, ComRef<IWMPMedia> media)
        : m_path(std::move(path)), m_media(std::move(media)) {}
    const std::string& Path() const override { return m_path; }
    IWMPMedia* Get() const { return m_media.Get(); }

private:
    std::string m_path;
    ComRef<IWMPMedia> m_media;
};

}  // namespace velunor
