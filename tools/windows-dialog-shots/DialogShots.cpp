// velunor-dialog-shots.exe settings|about|music-info|music|picture REPORT: shows one dialog of
// the program folder it lies in, at the display scaling of the moment, for scripts/screenshots to
// take its picture. Once the dialog shows, the texts cut off and the controls over each other in
// it are written to REPORT, one a line (an empty file: none); the dialog stays until the tool is
// ended. With "all" instead of a name each dialog is shown, checked and closed in turn, REPORT
// holds what was found in all of them and the exit status is 1 when anything was. Not part of
// Velunor.
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
#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "base/SystemClock.h"
#include "platform/win32/WideText.h"
#include "platform/win32/autostart/RegistryAutostartStore.h"
#include "platform/win32/dialogs/MediaLibraryDialog.h"
#include "platform/win32/dialogs/SettingsDialog.h"
#include "platform/win32/player/CreateMediaPlayer.h"
#include "session/BreakEffects.h"
#include "session/BreakScheduler.h"

namespace {

struct NoEffects : velunor::BreakEffects {
    void AddTrayIcon() override {}
    void StartBreakMusic() override {}
    void StopBreakMusic() override {}
    void ShowBreakScreen() override {}
    void HideBreakScreen() override {}
    void ArmCountdown() override {}
};

// What the dialogs work on: the program folder the tool lies in, settings as a first start has
// them, the logon entry and the music player of this system.
struct Program {
    Program() : paths(FromExecutable()), scheduler(settings, clock, effects) {}
    static velunor::ProgramPaths FromExecutable() {
        std::wstring executable(32768, L'\0');
        executable.resize(GetModuleFileNameW(nullptr, executable.data(), DWORD(executable.size())));
        return velunor::ProgramPaths::FromExecutable(velunor::Narrow(executable), "Velunor.exe");
    }

    velunor::ProgramPaths paths;
    velunor::AppSettings settings;
    velunor::SystemClock clock;
    NoEffects effects;
    velunor::BreakScheduler scheduler;
    velunor::RegistryAutostartStore autostart;
    std::unique_ptr<velunor::MediaPlayer> player = velunor::CreateMediaPlayer();
};

// Written whole under another name first: whoever waits for the report never reads half of it.
void Publish(const std::wstring& report) {
    std::ofstream(std::filesystem::path(report + L".part"), std::ios::binary | std::ios::app);
    MoveFileExW((report + L".part").c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);
}

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
    const bool all = std::wstring(arguments[1]) == L"all";
    const std::wstring report = arguments[2];
    LocalFree(arguments);
    std::wstring title(GetWindowTextLengthW(dialog) + 1, L'\0');
    title.resize(GetWindowTextW(dialog, title.data(), int(title.size())));
    {
        std::ofstream out(std::filesystem::path(report + L".part"),
                          std::ios::binary | std::ios::app);
        for (const std::string& fault : velunor::LayoutFaults(dialog)) {
            out << velunor::Narrow(title) << ": " << fault << '\n';
        }
    }
    if (all) {
        EndDialog(dialog, IDCANCEL);
    } else {
        Publish(report);
    }
}

std::unique_ptr<velunor::ModalDialog> MakeDialog(const std::wstring& which, Program& program) {
    if (which == L"settings") {
        return std::make_unique<velunor::SettingsDialog>(
            program.settings, program.scheduler, program.autostart, program.paths, *program.player);
    }
    if (which == L"about") {
        return std::make_unique<velunor::AboutDialog>();
    }
    if (which == L"music-info") {
        return std::make_unique<velunor::MusicInfoDialog>(program.paths.m_folder + "help.html");
    }
    const bool music = which == L"music";
    return std::make_unique<velunor::MediaLibraryDialog>(
        music ? velunor::kMusicLibrary : velunor::kPictureLibrary, program.scheduler, program.paths,
        music ? program.player.get() : nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 3) {
        return 2;
    }
    const std::wstring which = arguments[1];
    const std::wstring report = arguments[2];
    LocalFree(arguments);
    Program program;
    const bool all = which == L"all";
    for (const wchar_t* name : {L"settings", L"about", L"music-info", L"music", L"picture"}) {
        if (all || which == name) {
            const auto dialog = MakeDialog(name, program);
            SetTimer(nullptr, 0, 200, CheckOnceShown);
            dialog->Run(nullptr);
        }
    }
    Publish(report);
    CoUninitialize();
    return std::filesystem::file_size(report) > 0 ? 1 : 0;
}
