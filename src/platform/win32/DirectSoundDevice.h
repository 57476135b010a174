#pragma once

#include <windows.h>

#include <functional>

#include "render/SoundDevice.h"

namespace velunor {

// The default playback device. The music plays through the media player, which opens an output of
// its own; what the renderer learns here is whether there is a device to play into at all. The
// device is let go again at once: held open, it keeps the audio engine's mixing threads waking the
// program about a thousand times a second between breaks.
class DirectSoundDevice : public SoundDevice {
public:
    // owner gives the window the device would be shared with, once there is one.
    explicit DirectSoundDevice(std::function<HWND()> owner) : m_owner(std::move(owner)) {}

    int Open() override;
    void Close() override {}

private:
    std::function<HWND()> m_owner;
};

}  // namespace velunor
