// velunor-dialog-shots.exe settings|about|music-info|music|picture REPORT: shows one dialog of
// the program folder it lies in, at the display scaling of the moment, for scripts/screenshots
// and the layout test to take its picture. Once the dialog shows, the texts cut off and the
// controls over each other in it are written to REPORT, one a line (an empty file: none); the
// dialog stays until the tool is ended. Not part of Velunor.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "AboutDialog.h"
#include "LayoutCheck.h"
#include "MusicInfoDialog.h"
#include "app/AppSettings.h"
#include "app/BreakEffects.h"
#include "app/BreakScheduler.h"
#include "app/ProgramPaths.h"
#include "app/SystemClock.h"
#include "platform/win32/dialogs/MediaLibraryDialog.h"
#include "platform/win32/dialogs/RegistryAutostartStore.h"
#include "platform/win32/dialogs/SettingsDialog.h"
#include "platform/win32/dialogs/WideText.h"
#include "platform/win32/player/CreateMediaPlayer.h"

namespace {

struct NoEffects : velunor::BreakEffects {
    void AddTrayIcon() override {}
    void StartBreakMusic() override {}
    void StopBreakMusic() override {}
    void ShowBreakScreen() override {}
    void HideBreakScreen() override {}
    void ArmCountdown() override {}
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs in the dialog's own message loop until the dialog shows; the report's name is read from
// the command line again, as a timer carries nothing of its own.
void CALLBACK CheckOnceShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (dialog == nullptr || arguments == nullptr || count < 3) {
        LocalFree(arguments);
        return;
    }
    KillTimer(nullptr, timer);
    // Written whole under another name first: whoever waits for the report never reads half.
    const std::wstring report = arguments[2];
    LocalFree(arguments);
    {
        std::ofstream out(std::filesystem::path(report + L".part"), std::ios::binary);
        for (const std::string& fault : velunor::LayoutFaults(dialog)) {
            out << fault << '\n';
        }
    }
    MoveFileExW((report + L".part").c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring executable(32768, L'\0');
    executable.resize(GetModuleFileNameW(nullptr, executable.data(), DWORD(executable.size())));
    const auto paths =
        velunor::ProgramPaths::FromExecutable(velunor::Narrow(executable), "Velunor.exe");
    velunor::AppSettings settings;
    velunor::SystemClock clock;
    NoEffects effects;
    velunor::BreakScheduler scheduler(settings, clock, effects);
    velunor::RegistryAutostartStore autostart;
    const auto player = velunor::CreateMediaPlayer();
    bool canOpenSettings = true;
    const std::wstring line = commandLine;
    const std::wstring which = line.substr(0, line.find(L' '));
    std::unique_ptr<velunor::TemplateDialog> dialog;
    if (which == L"settings") {
        dialog = std::make_unique<velunor::SettingsDialog>(settings, scheduler, autostart, paths,
                                                           canOpenSettings, *player);
    } else if (which == L"about") {
        dialog = std::make_unique<velunor::AboutDialog>();
    } else if (which == L"music-info") {
        dialog = std::make_unique<velunor::MusicInfoDialog>(paths.m_folder + "help.html");
    } else {
        dialog = std::make_unique<velunor::MediaLibraryDialog>(
            which == L"music" ? velunor::kMusicLibrary : velunor::kPictureLibrary, scheduler, paths,
            which == L"music" ? player.get() : nullptr);
    }
    SetTimer(nullptr, 0, 200, CheckOnceShown);
    dialog->Run(nullptr);
    CoUninitialize();
    return 0;
}
