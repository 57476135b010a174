#pragma once

namespace velunor {

// Whether another program of the user is in a call or a meeting: it records from a microphone
// (a recording stream of the sound server, PulseAudio or PipeWire's pulse server, from a source
// that is no output's monitor), or it holds a camera (/dev/video*) open. Each ask is bounded:
// with no sound server, or a slow one, the answer is "no call" within a fraction of a second.
class CallDetector {
public:
    bool OtherProgramInCall() const { return CameraInUse() || MicrophoneInUse(); }

    static bool MicrophoneInUse();
    static bool CameraInUse();
};

}  // namespace velunor
