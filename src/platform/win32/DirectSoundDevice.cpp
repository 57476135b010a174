#include "DirectSoundDevice.h"

namespace velunor {
namespace {
constexpr int kOpened = 0;
constexpr int kNoDevice = 1;
constexpr int kNotShared = 2;
}  // namespace

int DirectSoundDevice::Open() {
    if (FAILED(DirectSoundCreate(nullptr, m_device.Receive(), nullptr)) || !m_device) {
        m_device.Reset();
        return kNoDevice;
    }
    if (FAILED(m_device->SetCooperativeLevel(m_owner(), DSSCL_NORMAL))) {
        return kNotShared;
    }
    return kOpened;
}

void DirectSoundDevice::Close() {
    m_device.Reset();
}

}  // namespace velunor
