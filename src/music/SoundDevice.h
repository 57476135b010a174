#pragma once

namespace velunor {

// The audio output, held open only while a break's music plays: held open, some audio engines
// keep the program waking between breaks.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // 0 when the device is open, 1 when there is no device to open, 2 when it cannot be shared.
    virtual int Open() = 0;
    // Releases the device; harmless when it was never opened.
    virtual void Close() = 0;
};

}  // namespace velunor
