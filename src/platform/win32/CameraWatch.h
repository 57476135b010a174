#pragma once

#include <windows.h>

#include "SensorActivity.h"
#include "platform/win32/Handles.h"

namespace velunor {

// Whether another program streams from a camera, from Media Foundation's sensor activity reports
// (Windows 10 1703 and later). The reports come on a thread of Media Foundation's own while the
// watch runs, and it runs only while the break session keeps asking, that is near a break. Where
// Windows has no such reports (older systems, editions without Media Foundation) it never tells
// of a camera in use.
class CameraWatch {
public:
    CameraWatch();
    ~CameraWatch();
    CameraWatch(const CameraWatch&) = delete;
    CameraWatch& operator=(const CameraWatch&) = delete;

    // As the last report tells; the first question starts the watch, so its answer is no.
    bool OtherProgramStreaming();
    // Once per schedule tick: a watch nobody asked about since the last tick stops.
    void OnTickEnd();

private:
    class Reports;
    bool LoadMediaFoundation();
    bool StartWatching();
    void StopWatching();

    HMODULE m_mediaFoundation = nullptr;
    HMODULE m_sensorGroup = nullptr;
    bool m_unavailable = false;
    bool m_asked = false;
    ComRef<Reports> m_reports;
    ComRef<sensor_activity::IMFSensorActivityMonitor> m_monitor;
};

}  // namespace velunor
