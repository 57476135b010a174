#include "DirectSoundDevice.h"

#include <dsound.h>

namespace velunor {
namespace {
constexpr int kOpened = 0;
constexpr int kNoDevice = 1;
constexpr int kNotShared = 2;
}  // namespace

int DirectSoundDevice::Open() {
    Close();
    if (FAILED(DirectSoundCreate(nullptr, &m_device, nullptr)) || m_device == nullptr) {
        m_device = nullptr;
        return kNoDevice;
    }
    if (FAILED(m_device->SetCooperativeLevel(m_owner(), DSSCL_NORMAL))) {
        return kNotShared;
    }
    return kOpened;
}

void DirectSoundDevice::Close() {
    if (m_device != nullptr) {
        m_device->Release();
        m_device = nullptr;
    }
}

}  // namespace velunor
