#include "CaptureActivity.h"

#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <algorithm>

#include "platform/win32/Handles.h"

namespace velunor {
namespace {

// The sessions of one endpoint. A session that does not tell its process counts as another
// program's: a session shared by several processes answers so.
void AddSessionsOf(IMMDevice& device, std::vector<CaptureUse>& uses) {
    ComRef<IAudioSessionManager2> manager;
    ComRef<IAudioSessionEnumerator> sessions;
    int count = 0;
    if (FAILED(device.Activate(__uuidof(IAudioSessionManager2), CLSCTX_INPROC_SERVER, nullptr,
                               reinterpret_cast<void**>(manager.Receive()))) ||
        FAILED(manager->GetSessionEnumerator(sessions.Receive())) ||
        FAILED(sessions->GetCount(&count))) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        ComRef<IAudioSessionControl> session;
        AudioSessionState state = AudioSessionStateInactive;
        if (FAILED(sessions->GetSession(i, session.Receive())) ||
            FAILED(session->GetState(&state))) {
            continue;
        }
        DWORD process = 0;
        if (const auto withProcess =
                session.As<IAudioSessionControl2>(__uuidof(IAudioSessionControl2))) {
            withProcess->GetProcessId(&process);
        }
        uses.push_back({process, state == AudioSessionStateActive});
    }
}

}  // namespace

bool OtherProgramCapturing(std::span<const CaptureUse> uses, DWORD ownProcess) {
    return std::any_of(uses.begin(), uses.end(), [ownProcess](const CaptureUse& use) {
        return use.active && use.process != ownProcess;
    });
}

std::vector<CaptureUse> ReadMicrophoneUses() {
    ComRef<IMMDeviceEnumerator> enumerator;
    ComRef<IMMDeviceCollection> endpoints;
    UINT count = 0;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(enumerator.Receive()))) ||
        FAILED(
            enumerator->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, endpoints.Receive())) ||
        FAILED(endpoints->GetCount(&count))) {
        return {};
    }
    std::vector<CaptureUse> uses;
    for (UINT i = 0; i < count; ++i) {
        ComRef<IMMDevice> endpoint;
        if (SUCCEEDED(endpoints->Item(i, endpoint.Receive()))) {
            AddSessionsOf(*endpoint.Get(), uses);
        }
    }
    return uses;
}

}  // namespace velunor
