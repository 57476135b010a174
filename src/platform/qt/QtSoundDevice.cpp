#include "QtSoundDevice.h"

#include <QDir>
#include <QFileInfo>

namespace velunor {

namespace {
constexpr int kOpened = 0;
constexpr int kNoDevice = 1;

bool SoundServerReachable() {
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                                  QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")));
}

bool PlaybackDevicePresent() {
    return !QDir(QStringLiteral("/dev/snd"), QStringLiteral("pcmC*")).isEmpty(QDir::System);
}
}  // namespace

// Asking the media backend would load it into the program for good; a look at the places a sound
// server or a sound card shows up is enough to know.
int QtSoundDevice::Open() {
    return SoundServerReachable() || PlaybackDevicePresent() ? kOpened : kNoDevice;
}

}  // namespace velunor
