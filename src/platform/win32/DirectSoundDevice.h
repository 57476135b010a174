#pragma once

#include <windows.h>

#include <functional>

#include "render/SoundDevice.h"

struct IDirectSound;

namespace velunor {

// The default playback device, held open by the renderer while the program runs. The music itself
// plays through the media player; a machine without sound still shows its breaks.
class DirectSoundDevice : public SoundDevice {
public:
    // owner gives the window the device is shared with, once there is one.
    explicit DirectSoundDevice(std::function<HWND()> owner) : m_owner(std::move(owner)) {}
    ~DirectSoundDevice() override { Close(); }
    DirectSoundDevice(const DirectSoundDevice&) = delete;
    DirectSoundDevice& operator=(const DirectSoundDevice&) = delete;

    int Open() override;
    void Close() override;

private:
    std::function<HWND()> m_owner;
    IDirectSound* m_device = nullptr;
};

}  // namespace velunor
