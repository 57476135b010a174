#include "DirectSoundDevice.h"

#include <dsound.h>

namespace velunor {
namespace {
constexpr int kOpened = 0;
constexpr int kNoDevice = 1;
constexpr int kNotShared = 2;
}  // namespace

int DirectSoundDevice::Open() {
    IDirectSound* device = nullptr;
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr)) || device == nullptr) {
        return kNoDevice;
    }
    const bool shared = SUCCEEDED(device->SetCooperativeLevel(m_owner(), DSSCL_NORMAL));
    device->Release();
    return shared ? kOpened : kNotShared;
}

}  // namespace velunor
