#pragma once

namespace velunor {

// The audio output that the break screen holds open while the program runs.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // 0 when the device is open, 1 when there is no device to open, 2 when it cannot be shared.
    virtual int Open() = 0;
    // Releases the device; harmless when it was never opened.
    virtual void Close() = 0;
};

}  // namespace velunor
