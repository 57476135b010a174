#pragma once

#include <windows.h>
// clang-format off
#include <dsound.h>  // after windows.h, whose types it uses
// clang-format on

#include <functional>

#include "music/SoundDevice.h"
#include "platform/win32/Handles.h"

namespace velunor {

// The default playback device. Held open, it keeps the audio engine's mixing threads waking the
// program about a thousand times a second, so the main window holds it only while a break shows
// (the audio path then stays ready for the break's music, whose short files would otherwise lose
// their start to a waking output) and lets it go between breaks.
class DirectSoundDevice : public SoundDevice {
public:
    // owner gives the window the device is shared with, once there is one.
    explicit DirectSoundDevice(std::function<HWND()> owner) : m_owner(std::move(owner)) {}
    DirectSoundDevice(const DirectSoundDevice&) = delete;
    DirectSoundDevice& operator=(const DirectSoundDevice&) = delete;

    int Open() override;
    void Close() override;

private:
    std::function<HWND()> m_owner;
    ComRef<IDirectSound> m_device;
};

}  // namespace velunor
