// velunor-dialog-shots.exe music|picture: shows one library dialog of the program folder it lies
// in, for scripts/screenshots to take its picture (the picture library has no way in from the
// program's own dialogs). Not part of Velunor.
#include <objbase.h>
#include <windows.h>

#include <string>

#include "app/AppSettings.h"
#include "app/BreakEffects.h"
#include "app/BreakScheduler.h"
#include "app/ProgramPaths.h"
#include "app/SystemClock.h"
#include "platform/win32/dialogs/MediaLibraryDialog.h"
#include "platform/win32/dialogs/WideText.h"

namespace {

struct NoEffects : velunor::BreakEffects {
    void AddTrayIcon() override {}
    void StartBreakMusic() override {}
    void StopBreakMusic() override {}
    void ShowBreakScreen() override {}
    void HideBreakScreen() override {}
    void ArmCountdown() override {}
};

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
    const bool music = std::wstring(commandLine) == L"music";
    velunor::MediaLibraryDialog dialog(music ? velunor::kMusicLibrary : velunor::kPictureLibrary,
                                       scheduler, paths, nullptr);
    dialog.Run(nullptr);
    CoUninitialize();
    return 0;
}
