#include <windows.h>

#include <string>

#include "MainWindow.h"
#include "ReminderApp.h"
#include "SingleInstance.h"
#include "base/ProgramPaths.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace {

// The running executable's full path, however long.
std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const velunor::ProgramPaths paths = velunor::ProgramPaths::FromExecutable(
        velunor::Narrow(ExecutablePath()), velunor::ReminderApp::kExecutableName);
    const std::wstring instanceName = velunor::SingleInstance::NameFor(paths.m_folder);
    velunor::SingleInstance instance(instanceName);
    if (!instance.IsFirst()) {
        instance.HandOver(velunor::MainWindow::kOpenSettingsMessage);
        return 0;
    }
    // COM for the window thread: the media player and the shell need it; released last.
    velunor::ComApartment com;
    velunor::ReminderApp reminder(paths, instanceName);
    reminder.Start();
    return velunor::ReminderApp::RunMessageLoop();
}
