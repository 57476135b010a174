#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace velunor {

// A microphone or camera in use, as Windows reports it: the process that uses it (0 where Windows
// cannot tell one) and whether it is capturing now rather than merely open.
struct CaptureUse {
    DWORD process;
    bool active;
};

// Another program is in a call or a meeting when any process but Velunor itself captures now.
// An idle session (a meeting program that is muted, a recorder that stopped) holds nothing back.
bool OtherProgramCapturing(std::span<const CaptureUse> uses, DWORD ownProcess);

// The capture sessions of every active recording endpoint, by Core Audio. Asks COM, so the
// calling thread must be in an apartment. Empty when Core Audio cannot tell.
std::vector<CaptureUse> ReadMicrophoneUses();

}  // namespace velunor
