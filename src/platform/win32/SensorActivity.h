#pragma once
// The camera activity interfaces of Media Foundation (Windows 10 1703 and later), declared as
// Microsoft documents them in mfidl.h, which MinGW-w64's headers lack. Only what the camera watch
// calls; the function itself is looked up at run time in mfsensorgroup.dll.
#include <unknwn.h>

namespace velunor::sensor_activity {

struct IMFSensorProcessActivity : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetProcessId(ULONG* processId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamingState(BOOL* streaming) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamingMode(int* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetReportTime(FILETIME* time) = 0;
};

struct IMFSensorActivityReport : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetFriendlyName(LPWSTR name, ULONG capacity,
                                                      ULONG* written) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSymbolicLink(LPWSTR link, ULONG capacity,
                                                      ULONG* written) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProcessCount(ULONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProcessActivity(ULONG index,
                                                         IMFSensorProcessActivity** activity) = 0;
};

struct IMFSensorActivitiesReport : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetCount(ULONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetActivityReport(ULONG index,
                                                        IMFSensorActivityReport** report) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    GetActivityReportByDeviceName(LPCWSTR symbolicName, IMFSensorActivityReport** report) = 0;
};

struct IMFSensorActivitiesReportCallback : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE OnActivitiesReport(IMFSensorActivitiesReport* report) = 0;
};

struct IMFSensorActivityMonitor : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Start() = 0;
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
};

using CreateMonitorFunction = HRESULT(STDAPICALLTYPE*)(IMFSensorActivitiesReportCallback*,
                                                       IMFSensorActivityMonitor**);

}  // namespace velunor::sensor_activity

// The callback's id, for __uuidof.
__CRT_UUID_DECL(velunor::sensor_activity::IMFSensorActivitiesReportCallback, 0xde5072ee, 0xdbe3,
                0x46dc, 0x8a, 0x87, 0xb6, 0xf6, 0x31, 0x19, 0x47, 0x51)
