#pragma once

#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "session/BreakScheduler.h"
#include "support/FakeAutostartStore.h"
#include "support/FakeClock.h"
#include "support/FakeMediaPlayer.h"
#include "support/RecordingBreakEffects.h"
#include "support/TempFolder.h"

namespace velunor::test {

// The program as the core and the dialogs see it, for any test: a program folder of its own under
// the temporary folder, the settings and schedule on a clock that stands still, and a logon store
// and player that only keep what they are given.
struct ProgramState {
    TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    AppSettings settings;
    FakeClock clock;
    RecordingBreakEffects effects;
    BreakScheduler scheduler{settings, clock, effects};
    FakeAutostartStore autostart;
    FakeMediaPlayer player;
};

}  // namespace velunor::test
