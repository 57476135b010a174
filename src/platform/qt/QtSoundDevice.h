#pragma once

#include "music/SoundDevice.h"

namespace velunor {

// The music plays in a process of its own, which opens the sound output there; what is left to
// tell the renderer is whether there is an output to play into at all.
class QtSoundDevice : public SoundDevice {
public:
    int Open() override;
    void Close() override {}
};

}  // namespace velunor
