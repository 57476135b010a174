#pragma once

#include "render/SoundDevice.h"

namespace velunor {

// Qt Multimedia opens and shares the audio output by itself; what is left to tell the renderer is
// whether there is an output at all.
class QtSoundDevice : public SoundDevice {
public:
    int Open() override;
    void Close() override {}
};

}  // namespace velunor
