#include "QtSoundDevice.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace velunor {

namespace {
constexpr int kOpened = 0;
constexpr int kNoDevice = 1;
}  // namespace

int QtSoundDevice::Open() {
    return QMediaDevices::defaultAudioOutput().isNull() ? kNoDevice : kOpened;
}

}  // namespace velunor
