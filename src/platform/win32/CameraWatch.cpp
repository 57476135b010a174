#include "CameraWatch.h"

#include <mfapi.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "CaptureActivity.h"

namespace velunor {
using namespace sensor_activity;

namespace {
using StartupFunction = HRESULT(STDAPICALLTYPE*)(ULONG, DWORD);
using ShutdownFunction = HRESULT(STDAPICALLTYPE*)();

template <typename Function>
Function Find(HMODULE library, const char* name) {
    return library == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::wstring SymbolicLink(IMFSensorActivityReport& camera) {
    wchar_t link[1024]{};
    ULONG written = 0;
    camera.GetSymbolicLink(link, ARRAYSIZE(link), &written);
    return link;
}

bool OtherProcessStreams(IMFSensorActivityReport& camera) {
    ULONG count = 0;
    camera.GetProcessCount(&count);
    std::vector<CaptureUse> uses;
    for (ULONG i = 0; i < count; ++i) {
        ComRef<IMFSensorProcessActivity> activity;
        ULONG process = 0;
        BOOL streaming = FALSE;
        if (SUCCEEDED(camera.GetProcessActivity(i, activity.Receive())) &&
            SUCCEEDED(activity->GetProcessId(&process)) &&
            SUCCEEDED(activity->GetStreamingState(&streaming))) {
            uses.push_back({process, streaming != FALSE});
        }
    }
    return OtherProgramCapturing(uses, GetCurrentProcessId());
}
}  // namespace

// The callback Media Foundation reports to, from its own threads. A report may leave cameras out
// (or name none at all), so each camera keeps what its last report said.
class CameraWatch::Reports final : public IMFSensorActivitiesReportCallback {
public:
    bool AnyStreaming() const {
        const std::lock_guard lock(m_mutex);
        return std::any_of(m_cameras.begin(), m_cameras.end(),
                           [](const auto& camera) { return camera.second; });
    }

    HRESULT STDMETHODCALLTYPE OnActivitiesReport(IMFSensorActivitiesReport* report) override {
        ULONG count = 0;
        if (report == nullptr || FAILED(report->GetCount(&count))) {
            return S_OK;
        }
        for (ULONG i = 0; i < count; ++i) {
            ComRef<IMFSensorActivityReport> camera;
            if (SUCCEEDED(report->GetActivityReport(i, camera.Receive()))) {
                const bool streaming = OtherProcessStreams(*camera.Get());
                const std::lock_guard lock(m_mutex);
                m_cameras[SymbolicLink(*camera.Get())] = streaming;
            }
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != __uuidof(IUnknown) && id != __uuidof(IMFSensorActivitiesReportCallback) &&
            id != __uuidof(IAgileObject)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IMFSensorActivitiesReportCallback*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

private:
    std::atomic<ULONG> m_references{1};
    mutable std::mutex m_mutex;
    std::map<std::wstring, bool> m_cameras;  // by symbolic link: another process streams from it
};

CameraWatch::CameraWatch() = default;

CameraWatch::~CameraWatch() {
    StopWatching();
    for (HMODULE library : {m_sensorGroup, m_mediaFoundation}) {
        if (library != nullptr) {
            FreeLibrary(library);
        }
    }
}

bool CameraWatch::OtherProgramStreaming() {
    m_asked = true;
    if (m_monitor) {
        return m_reports->AnyStreaming();
    }
    if (!m_unavailable && !StartWatching()) {
        m_unavailable = true;  // not asked of Windows again
    }
    return false;
}

void CameraWatch::OnTickEnd() {
    if (!m_asked) {
        StopWatching();
    }
    m_asked = false;
}

// Looked up at run time from the system folder only: on systems without them the program still
// starts, and no copy beside it is loaded instead.
bool CameraWatch::LoadMediaFoundation() {
    if (m_sensorGroup == nullptr) {
        m_mediaFoundation = LoadLibraryExW(L"mfplat.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        m_sensorGroup = LoadLibraryExW(L"mfsensorgroup.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return m_mediaFoundation != nullptr && m_sensorGroup != nullptr;
}

bool CameraWatch::StartWatching() {
    if (!LoadMediaFoundation()) {
        return false;
    }
    const auto startup = Find<StartupFunction>(m_mediaFoundation, "MFStartup");
    const auto create = Find<CreateMonitorFunction>(m_sensorGroup, "MFCreateSensorActivityMonitor");
    if (startup == nullptr || create == nullptr || FAILED(startup(MF_VERSION, MFSTARTUP_LITE))) {
        return false;
    }
    m_reports = ComRef<Reports>(new Reports);
    if (FAILED(create(m_reports.Get(), m_monitor.Receive())) || FAILED(m_monitor->Start())) {
        m_monitor.Reset();
        StopWatching();
        return false;
    }
    return true;
}

void CameraWatch::StopWatching() {
    if (!m_reports) {
        return;
    }
    if (m_monitor) {
        m_monitor->Stop();
        m_monitor.Reset();
    }
    m_reports.Reset();
    if (const auto shutdown = Find<ShutdownFunction>(m_mediaFoundation, "MFShutdown")) {
        shutdown();
    }
}

}  // namespace velunor
