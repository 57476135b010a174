#include <windows.h>

#include <algorithm>
#include <string>
#include <variant>

#include "ReminderApp.h"
#include "RemoteCommand.h"
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

// A malformed request (`--pause abc`) changes nothing and ends with status 2; a request other than
// the settings needs a running copy.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    namespace remote = velunor::remote_command;
    const auto parsed = velunor::RemoteRequest::FromArguments(remote::Arguments());
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        remote::PrintLine("Velunor.exe: " + *error);
        return 2;
    }
    const auto& request = std::get<velunor::RemoteRequest>(parsed);
    const velunor::ProgramPaths paths = velunor::ProgramPaths::FromExecutable(
        velunor::Narrow(ExecutablePath()), velunor::ReminderApp::kExecutableName);
    const std::wstring instanceName = velunor::SingleInstance::NameFor(paths.m_folder);
    velunor::SingleInstance instance(instanceName);
    if (!instance.IsFirst()) {
        return remote::AskRunningCopy(instance.RunningWindow(), request);
    }
    if (request.kind != velunor::RemoteRequest::Kind::Settings) {
        return remote::AskRunningCopy(nullptr, request);
    }
    // COM for the window thread: the media player and the shell need it; released last.
    velunor::ComApartment com;
    velunor::ReminderApp reminder(paths, instanceName);
    const auto arguments = remote::Arguments();
    if (std::find(arguments.begin(), arguments.end(), "--settings") != arguments.end()) {
        reminder.OpenSettingsSoon();
    }
    reminder.Start();
    return velunor::ReminderApp::RunMessageLoop();
}
